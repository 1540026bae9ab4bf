// Questions about the stored results: completeness, players, boards, rounds, result lines.
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>

namespace qzc {

namespace {

QString number(qint64 n) {
    return QString::number(n);
}

QString fixed(qint64 n, qint16 width) {
    return FixedWidth(number(n), width, true);
}

} // namespace

bool GameData::DB_check_BoardResult(qint16 sectionId, qint16 lastRound, const QString& tableId,
                                    qint16 firstRound) const {
    if (lastRound < 1)
        return true;
    const bool wholeSection = sectionId != 0;
    const qint16 movementSection = wholeSection ? sectionId : getSectionID(tableIdLetter(tableId));
    ResultProgress::Range range;
    range.first = firstRound == 0 ? qint16{1} : firstRound;
    range.last = lastRound;
    range.fromMovement = mem_HasRound(movementSection);
    range.fourPlayers = seatsFourPlayers(movementSection);
    if (!range.fromMovement)
        range.totalBoards = event_.totalBoards;
    const ResultProgress::Counts counts = wholeSection ? progress_.section(sectionId, range, db_.changeMark())
                                                       : progress_.table(sqlSectionTable(tableId), range);

    const QString name = wholeSection ? getSectionLetter(sectionId) : tableId;
    const QString rounds = QStringLiteral(", round ") + number(range.first) + QStringLiteral(" to ") +
                           number(lastRound) + QStringLiteral(": ") + number(counts.got) + QLatin1Char('/') +
                           number(counts.owed);
    log_.writeLog(0,
                  QStringLiteral("Check board for ") + name +
                      (wholeSection ? QStringLiteral(" on table with TQZ") : QString()) + rounds,
                  QStringLiteral("DB_check_BoardResult"));
    // A table that owes nothing is never complete; a section that owes nothing is.
    if (!tableId.isEmpty() && counts.owed == 0)
        return false;
    return counts.got >= counts.owed;
}

bool GameData::checkResultProgress(const QString& tableId) const {
    if (tableId.isEmpty())
        return false;
    const qint16 sectionId = getSectionID(tableIdLetter(tableId));
    return DB_check_BoardResult(sectionId, getSectionEdgeRound(sectionId), QString(),
                                getSectionBeginRound(sectionId));
}

QString GameData::getPlayedBoardList(const QString& tableId, qint16 round, bool upTo) const {
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT Board FROM ReceivedData WHERE ") + sqlSectionTable(tableId) +
                   (upTo ? QStringLiteral(" AND Round<=") : QStringLiteral(" AND Round=")) + number(round) +
                   QStringLiteral(" AND NOT Erased ORDER BY Board ASC"));
    QStringList boards;
    while (query && query->next()) {
        const QString board = query->value(0).toString();
        // A board stored twice in one round (under two pairs) was played there once.
        if (!upTo && !boards.isEmpty() && boards.constLast() == board)
            continue;
        boards << board;
    }
    return boards.join(QLatin1Char(','));
}

qint16 GameData::getMaxRound(const QString& tableId) const {
    qint16 maxRound = 0;
    db_.getDBValue(QStringLiteral("SELECT MAX(Round) AS maxround FROM ReceivedData WHERE ") +
                       sqlSectionTable(tableId),
                   QStringLiteral("maxround"), maxRound);
    return maxRound;
}

qint16 GameData::getSectionMaxRound(qint16 sectionId) const {
    qint16 maxRound = 0;
    QString sql = QStringLiteral("SELECT MAX(Round) AS maxround FROM ReceivedData");
    if (sectionId >= 0)
        sql += QStringLiteral(" WHERE Section=") + number(sectionId);
    db_.getDBValue(sql, QStringLiteral("maxround"), maxRound);
    return maxRound;
}

QString GameData::getBoardResultText(qint16 board, qint16 sectionId, qint16 sortKey) const {
    QString column;
    switch (qAbs(sortKey)) {
    case 1:
        column = QStringLiteral("PairNS");
        break;
    case 2:
        column = QStringLiteral("PairEW");
        break;
    case 3:
        column = QStringLiteral("[Table]");
        break;
    case 5:
        column = QStringLiteral("custom_qz_scalepoint");
        break;
    default:
        column = QStringLiteral("custom_qz_score");
        break;
    }
    const QString direction = sortKey < 1 ? QStringLiteral("DESC") : QStringLiteral("ASC");
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT PairNS, PairEW, South, West, custom_qz_score FROM ReceivedData WHERE Board=") +
        number(board) + QStringLiteral(" AND NOT Erased AND Section=") + number(sectionId) +
        QStringLiteral(" ORDER BY ") + column + QLatin1Char(' ') + direction);
    const bool individual = seatsFourPlayers(sectionId);
    QString text;
    while (query && query->next()) {
        const qint16 ns = fields::toInt16(query->value(0)).value_or(0);
        const qint16 ew = fields::toInt16(query->value(1)).value_or(0);
        const qint16 south = individual ? fields::toInt16(query->value(2)).value_or(0) : qint16{0};
        const qint16 west = individual ? fields::toInt16(query->value(3)).value_or(0) : qint16{0};
        const qint16 score = fields::toInt16(query->value(4)).value_or(0);
        text += fixed(ns, 2);
        if (south > 0)
            text += QLatin1Char(',') + fixed(south, 2);
        text += QLatin1Char('-') + fixed(ew, 2);
        if (west > 0)
            text += QLatin1Char(',') + fixed(west, 2);
        const QString scoreText = score >= 1 ? QLatin1Char('+') + number(score) : number(score);
        text += QLatin1Char(' ') + FixedWidth(scoreText, 5, true) + QStringLiteral("  \r\n");
    }
    return text;
}

} // namespace qzc
