#include "scoring/PersonalRecap.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "scoring/ContractScore.h"
#include "scoring/CountedResults.h"
#include "scoring/RecordFields.h"
#include "scoring/ScoredBoard.h"
#include "scoring/WireCodes.h"

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Database - DB_personalRecap");

// What of a stored row goes into the recap.
struct RecapRow {
    QString contract;
    qint16 tricks = 0;
    // A counted result, valued against the board's other results.
    bool scored = false;
};

// The recap row of a stored result, or nothing when the row is left out: a result without
// a contract, an adjusted score or a free remark.
std::optional<RecapRow> recapRow(const QString& remarks, const QString& contract, const QString& result) {
    if (isCountedResult(remarks, contract))
        return RecapRow{contract, calcTricksMade(contract, result), true};
    const QString remark = remarks.toUpper();
    if (remark == QLatin1String("NP") || remark == QLatin1String("LP"))
        return RecapRow{remarks, 0, false};
    if (remark == QLatin1String("NOT PLAYED"))
        return RecapRow{QStringLiteral("NP"), 0, false};
    return std::nullopt;
}

// The contestant's percentage on a board from its side; 50 when the board has no range.
double boardPercentage(const ScoreFrequencyRecord& entry, BoardScoringMethod method, bool northSouth) {
    const double range = entry.top - entry.base;
    if (range <= 0)
        return 50;
    // Multiplied first, so that an exact half of a percent stays a half.
    if (northSouth)
        return 100.0 * (entry.scale - entry.base) / range;
    if (method == BoardScoringMethod::CrossImps)
        return 100.0 * (entry.top - entry.scale) / range;
    return 100.0 * (entry.top - entry.scale - entry.base) / range;
}

} // namespace

std::optional<RecapSeat> recapSeat(qint16 direction, bool fourPlayers) {
    if (direction < 0 || direction > 4)
        return std::nullopt;
    if (!fourPlayers) {
        if (direction == 1 || direction == 4)
            return RecapSeat{1, QStringLiteral("N"), true};
        return RecapSeat{2, QStringLiteral("E"), false};
    }
    switch (direction) {
    case 0:
        return RecapSeat{2, QStringLiteral("E"), false};
    case 1:
        return RecapSeat{1, QStringLiteral("N"), true};
    case 2:
        return RecapSeat{4, QStringLiteral("W"), false};
    case 4:
        return RecapSeat{3, QStringLiteral("S"), true};
    default:
        return RecapSeat{};
    }
}

PersonalRecap::PersonalRecap(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards)
    : db_(db), settings_(settings), log_(log), boards_(boards) {}

std::optional<QByteArray> PersonalRecap::getPersonalRecap(const RecapContestant& contestant) {
    const bool individual = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;
    const QString n = QString::number(contestant.number);
    QString who;
    if (contestant.separatePairs) {
        if (contestant.northSouth)
            who = individual ? QStringLiteral(" AND (PairNS=%1 OR South=%1)")
                             : QStringLiteral(" AND PairNS=%1");
        else
            who =
                individual ? QStringLiteral(" AND (PairEW=%1 OR West=%1)") : QStringLiteral(" AND PairEW=%1");
    } else {
        // The contestant may have sat either way: the side is taken per row.
        who = individual ? QStringLiteral(" AND (PairNS=%1 OR PairEW=%1 OR South=%1 OR West=%1)")
                         : QStringLiteral(" AND (PairNS=%1 OR PairEW=%1)");
    }
    // The number as a bound value, once for each place the condition names it.
    QVariantList values{int{contestant.table.sectionId}};
    for (int i = 0; i < who.count(QLatin1String("%1")); ++i)
        values << int{contestant.number};
    std::optional<QSqlQuery> query = db_.select(
        QStringLiteral("SELECT Board, PairEW, West, Remarks, Result, Contract, custom_qz_declarer, "
                       "custom_qz_score FROM ReceivedData WHERE NOT Erased AND Section=?") +
            who.arg(QLatin1Char('?')) + QStringLiteral(" ORDER BY Board ASC, Round ASC"),
        values);
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kSource, true);
        return std::nullopt;
    }

    const BoardScoringMethod method =
        scoresImps(settings_) ? BoardScoringMethod::CrossImps : BoardScoringMethod::Matchpoints;
    const QString label =
        QStringLiteral("Personal recap of ") + contestant.table.tableId + QStringLiteral(", pair ") + n;
    QByteArray payload;
    std::optional<ScoredBoard> scored;
    qint16 scoredBoard = 0;
    while (query->next()) {
        const qint16 board = int16Value(query->value(0));
        const std::optional<RecapRow> row =
            recapRow(textValue(query->value(3)), textValue(query->value(5)), textValue(query->value(4)));
        if (!row)
            continue;
        if (board < 1 || board > 255) {
            log_.writeLog(0,
                          label + QStringLiteral(": board ") + QString::number(board) +
                              QStringLiteral(" left out, it does not fit a byte"),
                          kSource);
            continue;
        }
        if (payload.size() == 4 * maxEntries) {
            log_.writeLog(0,
                          label + QStringLiteral(" cut at ") + QString::number(maxEntries) +
                              QStringLiteral(" boards: the reply holds no more"),
                          kSource);
            break;
        }
        // Pairs that keep their direction sit on their own side at every table; only a
        // contestant who changes direction is placed by the row.
        const bool eastWest = contestant.separatePairs
                                  ? !contestant.northSouth
                                  : int16Value(query->value(1)) == contestant.number ||
                                        (individual && int16Value(query->value(2)) == contestant.number);
        double percentage = 0;
        // A result that was not played, or whose score was never stored, is in no board's
        // table: looked up by its score it would take another result's value.
        if (row->scored && !query->value(7).isNull()) {
            if (!scored || scoredBoard != board) {
                scored =
                    boards_.scoreBoard(contestant.table.sectionId, board, method, !contestant.separatePairs);
                if (!scored)
                    return std::nullopt;
                scoredBoard = board;
            }
            if (const ScoreFrequencyRecord* entry = scored->find(int16Value(query->value(7))))
                percentage = boardPercentage(*entry, method, !eastWest);
        }
        payload.append(static_cast<char>(board));
        payload.append(byteValue(encodeContractByte(row->contract)));
        payload.append(byteValue(encodeResultByte(textValue(query->value(6)), row->tricks)));
        payload.append(byteValue(static_cast<int>(roundHalfEven(percentage))));
    }
    return payload.isEmpty() ? QByteArray(1, '\0') : payload;
}

} // namespace qzc
