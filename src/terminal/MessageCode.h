#pragma once

#include <QtGlobal>

namespace qzc {

/// The message codes of the terminal protocol. A reply is mostly its request's code + 1;
/// bit 7 of a request carries nothing for the dispatcher, bit 7 of a reply is the reload
/// flag.
namespace MessageCode {
inline constexpr int RequestGameStatus = 10;
inline constexpr int ReplyGameStatus = 11;
inline constexpr int AckMovementData = 12;
inline constexpr int RequestTableLogin = 20;
inline constexpr int RequestTableLoginStopped = 24;
inline constexpr int SubmitPairPINs = 30;
inline constexpr int AcknowledgePairPINs = 31;
inline constexpr int SubmitPairPINsFour = 32;
inline constexpr int AcknowledgePairPINsFour = 33;
inline constexpr int SubmitPlayerIDs = 40;
inline constexpr int AcknowledgePlayerIDs = 41;
inline constexpr int ReplyTraveller = 51;
inline constexpr int SubmitBoardResult = 52;
inline constexpr int ReplyFrequencies = 53;
inline constexpr int SubmitBoardResultFour = 54;
inline constexpr int ReplyNoFeedback = 55;
inline constexpr int RequestRankingData = 56;
inline constexpr int ReplyRankingData = 57;
inline constexpr int RequestAllPairPINs = 58;
inline constexpr int ReplyAllPairPINs = 59;
inline constexpr int AskRoundNames = 60;
inline constexpr int ReplyRoundNames = 61;
inline constexpr int SubmitBoardResultList = 72;
inline constexpr int SubmitBoardResultListFour = 74;
inline constexpr int SubmitDealtCard = 80;
inline constexpr int SubmitBid = 82;
inline constexpr int SubmitPlayedCard = 84;
inline constexpr int RequestDeal = 86;
inline constexpr int RequestDealFour = 88;
inline constexpr int RequestReplacingTableLogin = 100;
inline constexpr int ReplyReplacingTableLogin = 101;
inline constexpr int RequestStoredBoardResults = 102;
inline constexpr int ReplyStoredBoardResults = 103;
inline constexpr int RequestScoreFrequency = 104;
inline constexpr int ReplyScoreFrequency = 105;
inline constexpr int RequestPersonalRecap = 106;
inline constexpr int ReplyPersonalRecap = 107;
inline constexpr int RequestStoredBoardResultsFour = 108;
inline constexpr int ReplyStoredBoardResultsFour = 109;
inline constexpr int RequestReloadSettings = 110;
inline constexpr int ReplyReloadSettings = 111;
inline constexpr int AckUpdatedMovement = 112;
inline constexpr int RequestReloadSettingsChanged = 114;
inline constexpr int ReplySettingsOnly = 115;
} // namespace MessageCode

/// Bit 7 of a reply's code: the terminal's table must reload its set-up.
inline constexpr int reloadFlag = 0x80;

/// True for the ten replies whose pieces carry a header byte (pieces x 16 + piece).
constexpr bool hasPieceHeader(int replyCode) {
    switch (replyCode) {
    case 21:
    case 25:
    case 57:
    case 59:
    case 101:
    case 103:
    case 107:
    case 109:
    case 111:
    case 115:
        return true;
    default:
        return false;
    }
}

/// True for the requests before whose handling the terminal is locked to its table.
constexpr bool locksTable(int requestCode) {
    switch (requestCode) {
    case 12:
    case 30:
    case 32:
    case 40:
    case 52:
    case 54:
    case 56:
    case 58:
    case 60:
    case 72:
    case 74:
    case 80:
    case 82:
    case 84:
    case 86:
    case 88:
    case 102:
    case 104:
    case 106:
    case 108:
    case 112:
        return true;
    default:
        return false;
    }
}

/// The fewest data bytes (code included) a request of this code needs before any of its
/// bytes is read.
constexpr int minimumRequestLength(int requestCode) {
    switch (requestCode) {
    case MessageCode::RequestPersonalRecap:
    case MessageCode::SubmitDealtCard:
    case MessageCode::SubmitPlayedCard:
    case MessageCode::RequestDeal:
    case MessageCode::RequestDealFour:
        return 2;
    case MessageCode::RequestTableLogin:
    case MessageCode::RequestTableLoginStopped:
    case MessageCode::RequestReplacingTableLogin:
    case MessageCode::SubmitBid:
        return 3;
    case MessageCode::RequestScoreFrequency:
        return 4;
    case MessageCode::SubmitPairPINs:
    case MessageCode::SubmitBoardResult:
    case MessageCode::SubmitBoardResultList:
        return 7;
    case MessageCode::SubmitPairPINsFour:
    case MessageCode::SubmitBoardResultFour:
    case MessageCode::SubmitBoardResultListFour:
        return 9;
    case MessageCode::SubmitPlayerIDs:
        return 25;
    default:
        return 1;
    }
}

} // namespace qzc
