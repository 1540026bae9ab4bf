#include "gamedata/ResultCorrection.h"

#include "core/DesktopHost.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "gamedata/GameData.h"
#include "scoring/ResultDescription.h"
#include "scoring/ResultEntryParser.h"

namespace qzc {

namespace {

constexpr qint16 kExclamationStyle = 48;

} // namespace

ResultCorrection::ResultCorrection(GameData& gameData, Log& log, MessageBox& messages, DesktopHost& desktop)
    : gameData_(gameData), log_(log), messages_(messages), desktop_(desktop) {}

ResultEntry ResultCorrection::annulled(const ResultSeat& seat) const {
    ResultEntry record;
    clearResultEntry(record);
    record.board = seat.board;
    const qint16 sectionId = gameData_.getSectionID(tableIdLetter(seat.tableId));
    const qint16 lastPlayedRound = gameData_.getSectionMaxRound(sectionId);
    if (seat.round < lastPlayedRound)
        parseResultEntry(QStringLiteral("NP"), record);
    return record;
}

MarkResultOutcome ResultCorrection::store(const ResultSeat& seat, const ResultEntry& record,
                                          const ResultEntry& shown, const QString& logLine,
                                          qint16 helpTopic) {
    const MarkResultOutcome outcome = gameData_.markResult(seat.tableId, record, seat.round, seat.nsPair,
                                                           seat.ewPair, seat.south, seat.west, &shown);
    if (!outcome.succeeded()) {
        const QString& why = outcome.status == MarkResultOutcome::Status::Outdated
                                 ? outdatedMessage
                                 : (outcome.refused() ? mismatchMessage : storageMessage);
        messages_.showMsg(why, QString(), kExclamationStyle, helpTopic);
        return outcome;
    }
    log_.writeLog(0, logLine);
    for (qint16 round = outcome.round; round >= 1; --round)
        desktop_.queueGridRefresh(round);
    return outcome;
}

} // namespace qzc
