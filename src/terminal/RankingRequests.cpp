// What the terminals show the players: the ranking (56), the section's pair PINs (58), the
// score frequencies of a few boards (104) and a contestant's personal recap (106).
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "gamedata/TerminalNumbers.h"
#include "terminal/MessageCode.h"
#include "terminal/RequestDispatcher.h"

namespace qzc {

namespace {

// The payload bytes of reply 105, which goes out in one plain piece.
constexpr int frequencyReplyBytes = 103;

} // namespace

RequestDispatcher::Reply RequestDispatcher::requestRankingData(const Request& rq) {
    const QString letters = tableIdLetter(rq.tableId);
    RankingField field;
    field.sectionId = gameData_.getSectionID(letters);
    field.separatePairs = gameData_.hasSeparateNSEWPairs(letters);
    for (const SectionRecord& section : gameData_.sectionList())
        field.sectionLetters.insert(section.ID, section.Letter);
    return withPayload(MessageCode::ReplyRankingData, ranking_.rankingReply(field));
}

RequestDispatcher::Reply RequestDispatcher::requestAllPairPINs(const Request& rq) {
    return withPayload(MessageCode::ReplyAllPairPINs, pins_.getSectionPINData(tableIdLetter(rq.tableId)));
}

FrequencyContestant RequestDispatcher::frequencyContestant(const QString& tableId, qint16 sectionId,
                                                           qint16 board, qint16 sent) const {
    // The terminal knows its pairs by the numbers it was sent; the table's row that plays the
    // board tells the movement's number and the side, also for a board entered late.
    FrequencyContestant contestant{sent, false, gameData_.mem_GetSectionField(sectionId)};
    if (const std::optional<TablePair> pair =
            boardPair(gameData_, event_.bandedPairNumbering, tableId, board, sent)) {
        contestant.number = pair->number;
        contestant.eastWest = pair->eastWest;
    }
    return contestant;
}

RequestDispatcher::Reply RequestDispatcher::requestScoreFrequency(const Request& rq) {
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(rq.tableId));
    const TableAddress table = TableAddress::of(rq.tableId, sectionId);
    const qint16 sent = rq.byte(1);
    const int step = rq.byte(3) == 1 ? 1 : -1;

    // The pair as the terminal knows it: its own byte (converting it again would convert a
    // banded number twice). Then up to four boards' lists, each only when it fits whole.
    QByteArray payload(1, static_cast<char>(sent));
    int board = rq.byte(2);
    for (int i = 0; i < 4 && board > 0 && board <= 255; ++i, board += step) {
        const auto boardNumber = static_cast<qint16>(board);
        const std::optional<QByteArray> frequencies = feedback_.getScoreFrequencyData(
            table, boardNumber, frequencyContestant(rq.tableId, sectionId, boardNumber, sent));
        if (!frequencies)
            return withResult(failed);
        if (frequencies->size() > 1 && payload.size() + frequencies->size() <= frequencyReplyBytes)
            payload += *frequencies;
    }
    return withPayload(MessageCode::ReplyScoreFrequency, payload);
}

RequestDispatcher::Reply RequestDispatcher::requestPersonalRecap(const Request& rq) {
    const QByteArray nothing(1, '\0');
    const QString letters = tableIdLetter(rq.tableId);
    const qint16 sectionId = gameData_.getSectionID(letters);
    const std::optional<RecapSeat> seat = recapSeat(rq.byte(1), gameData_.seatsFourPlayers(sectionId));
    if (!seat)
        return withPayload(MessageCode::ReplyPersonalRecap, nothing);

    // The contestant sits at the table in the round of its last stored result.
    const std::optional<RoundSeating> seating =
        gameData_.roundSeating(rq.tableId, gameData_.getMaxRound(rq.tableId));
    const qint16 number = seating && seat->position > 0 && seat->position <= 4
                              ? seating->seats[static_cast<std::size_t>(seat->position - 1)]
                              : qint16{0};
    log_.writeLog(0, QStringLiteral("Prepare personal recap for ") + seat->letter +
                         QStringLiteral(" of pair ") + QString::number(number));
    if (number <= 0)
        return withPayload(MessageCode::ReplyPersonalRecap, nothing);

    const RecapContestant contestant{TableAddress::of(rq.tableId, sectionId), number, seat->northSouth,
                                     gameData_.hasSeparateNSEWPairs(letters)};
    return withPayload(MessageCode::ReplyPersonalRecap, recap_.getPersonalRecap(contestant));
}

} // namespace qzc
