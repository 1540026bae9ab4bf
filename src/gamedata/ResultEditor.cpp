#include "gamedata/ResultEditor.h"

#include "core/GameSettings.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "scoring/ResultEntryParser.h"

namespace qzc {

namespace {

constexpr qint16 kQuestionStyle = 36;
/// Yes and No with the warning image, No the default.
constexpr qint16 kWarningNoDefaultStyle = 308;
/// The options that a stored remark can match: all but not played and annul.
constexpr int kMatchableOptions = 18;

QString number(qint64 n) {
    return QString::number(n);
}

// A contract that stands for no play: the other boxes stay empty.
bool isNoPlay(const QString& contract) {
    const QString upper = contract.toUpper();
    return upper == QLatin1String("NP") || upper == QLatin1String("LP") ||
           upper == QLatin1String("LATE PLAY") || upper == QLatin1String("NOT PLAYED") ||
           upper == QLatin1String("PASS");
}

} // namespace

ResultEditor::ResultEditor(const Services& services)
    : gameData_(services.gameData), settings_(services.settings), log_(services.log),
      messages_(services.messages),
      correction_(services.gameData, services.log, services.messages, services.desktop) {}

bool ResultEditor::isIndividualGame() const {
    return StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;
}

bool ResultEditor::describeResult(qint16 board, const TravellerPick& pick) {
    seat = ResultSeat{};
    seat.board = board;
    seat.nsPair = tableIdNumber(pick.ns);
    seat.ewPair = tableIdNumber(pick.ew);
    if (isIndividualGame()) {
        seat.south = tableIdNumber(pick.south);
        seat.west = tableIdNumber(pick.west);
    }
    seat.tableId = pick.tableId;
    if (seat.board == 0 || seat.nsPair == 0 || seat.ewPair == 0)
        return false;
    // The round of the stored result the row shows, else the round that these pairs play.
    seat.round =
        gameData_.playedRound(seat.tableId, board, {seat.nsPair, seat.ewPair, seat.south, seat.west});
    describeStored();
    return true;
}

void ResultEditor::describeStored() {
    // The result of the row picked, stored under its pairs (and South and West where four
    // players sit), not another row of the board at the table in that round.
    clearResultEntry(described_);
    gameData_.getBoardResult(seat.tableId, seat.round, seat.board, described_,
                             SeatNumbers{seat.nsPair, seat.ewPair, seat.south, seat.west});
    description = describeResultText(seat, described_);
    contract.clear();
    declarer.clear();
    made.clear();
    lead.clear();
    ruling = -1;
    freeRemark = false;
    remark.clear();
    if (panel_ == Panel::Ruling)
        cmdRuling_Click();
    if (describesContract(described_)) {
        contract = described_.contract;
        if (!isNoPlay(described_.contract)) {
            declarer = described_.declarer;
            made = number(described_.tricks);
            lead = described_.lead;
        }
    } else if (!described_.remarks.isEmpty()) {
        showRuling(described_.remarks);
        cmdRuling_Click();
    }
}

QString ResultEditor::rulingButtonCaption() const {
    return panel_ == Panel::Contract ? QStringLiteral("% / %") : QStringLiteral("Contr.");
}

void ResultEditor::cmdRuling_Click() {
    if (panel_ == Panel::Contract) {
        panel_ = Panel::Ruling;
        caption_ = QStringLiteral("Ruling");
        helpTopic_ = rulingHelpTopic;
    } else {
        panel_ = Panel::Contract;
        caption_ = QStringLiteral("Change result");
        helpTopic_ = contractHelpTopic;
    }
}

void ResultEditor::showRuling(const QString& text) {
    const QString wanted = text.trimmed().toUpper();
    for (int option = 0; option < kMatchableOptions; ++option) {
        if (wanted == QLatin1String(rulingOptions[static_cast<std::size_t>(option)].stored)) {
            ruling = option;
            freeRemark = false;
            return;
        }
    }
    remark = text;
    freeRemark = true;
}

QString ResultEditor::loadRuling(bool& annul, bool& option) const {
    annul = false;
    option = false;
    if (freeRemark)
        return remark;
    option = true;
    if (ruling == annulOption) {
        annul = true;
        return {};
    }
    if (ruling < 0 || ruling >= static_cast<int>(rulingOptions.size()))
        return {};
    return QLatin1String(rulingOptions[static_cast<std::size_t>(ruling)].stored);
}

ResultEditor::SaveOutcome ResultEditor::save() {
    bool annul = false;
    bool option = false;
    const QString entry =
        panel_ == Panel::Contract ? contract + declarer + made + lead : loadRuling(annul, option);
    ResultEntry record;
    clearResultEntry(record);
    record.board = seat.board;
    parseResultEntry(entry, record);

    const QString crlf = QStringLiteral("\r\n");
    if (!entry.isEmpty()) {
        if (record.valid == 0) {
            if (panel_ == Panel::Contract) {
                if (!messages_.showMsg(QLatin1Char('<') + entry + QLatin1Char('>') + crlf +
                                           QStringLiteral("is not a valid result entry.") + crlf +
                                           QStringLiteral("Do you want to save it as ruling remark?"),
                                       QStringLiteral("Save entry as remark?"), kWarningNoDefaultStyle,
                                       remarkHelpTopic))
                    return SaveOutcome::StayOpen;
            } else if (!option &&
                       !messages_.showMsg(QStringLiteral("Do you want to save") + crlf + QLatin1Char('<') +
                                              entry + QLatin1Char('>') + crlf +
                                              QStringLiteral("as ruling remark?"),
                                          QStringLiteral("Save remark"), kQuestionStyle, remarkHelpTopic)) {
                return SaveOutcome::StayOpen;
            }
        }
    } else {
        if (panel_ == Panel::Ruling && !annul)
            return SaveOutcome::Close;
        if (!messages_.showMsg(QStringLiteral("Do you really want to annul (erase) the current result?"),
                               QStringLiteral("Annul entry?"), kWarningNoDefaultStyle, annulHelpTopic))
            return SaveOutcome::StayOpen;
        record = correction_.annulled(seat);
    }

    const QString logLine = QStringLiteral("Modify board result:") + number(seat.board) + QLatin1Char(',') +
                            number(seat.round) + QLatin1Char(',') + number(seat.nsPair) + QLatin1Char(',') +
                            number(seat.ewPair);
    const MarkResultOutcome outcome = correction_.store(seat, record, described_, logLine, helpTopic_);
    if (outcome.status == MarkResultOutcome::Status::Outdated) {
        // The program may have ended while the director read why: nothing more is read.
        if (!messages_.programEnded())
            describeStored();
        return SaveOutcome::Outdated;
    }
    return outcome.succeeded() ? SaveOutcome::Stored : SaveOutcome::StayOpen;
}

} // namespace qzc
