#pragma once

#include "scoring/TableAddress.h"

#include <QByteArray>
#include <QVariantList>
#include <QtGlobal>
#include <functional>
#include <optional>

class QSqlQuery;

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;

/// The contestant that asks for the score frequencies of a board, whose own score is marked.
struct FrequencyContestant {
    /// The pair or player number as the movement numbers it; 0 or less: nobody.
    qint16 number = 0;
    /// Sits East-West at the table.
    bool eastWest = false;
    /// The section's pairs keep their direction all game.
    bool separatePairs = false;
};

/// The feedback a table gets for a board result it submitted: the traveller (the other
/// counted results of the board, reply 51) or the score frequencies of the board (reply
/// 53); and the frequencies a terminal asks for (reply 105). All cover the table's section,
/// or the whole field when boards are scored across it. Entries have no count byte; one
/// byte 0 means nothing to send.
class FeedbackPayloads {
public:
    /// Most entries of either payload (102 bytes).
    static constexpr int maxEntries = 34;
    /// With matchpoint scoring, a traveller of more results than this is withheld.
    static constexpr int maxMatchpointTravellerResults = 15;
    /// Size of the all-zero array that stands for a withheld traveller.
    static constexpr int withheldTravellerSize = 201;
    /// Most scores of one board a terminal is sent on request.
    static constexpr int maxBoardFrequencyEntries = 25;
    /// Highest count of a score on request; bit 7 of the count byte marks the own score.
    static constexpr int maxFrequencyCount = 127;

    FeedbackPayloads(ScoreDb& db, Log& log, const GameSettings& settings);

    /// The board's other counted results, highest North-South score first: contract
    /// byte, result byte (declarer and tricks taken) and lead card byte each. The result
    /// of this table in this round is left out. With matchpoint scoring and more than 15
    /// such results the traveller is withheld (see isTravellerWithheld): the caller sends
    /// the frequencies instead. Nothing on a database failure (logged).
    std::optional<QByteArray> getTravelerFeedback(const TableAddress& table, qint16 board, qint16 round);

    /// The distinct North-South scores of the board's counted results, highest first: the
    /// score in two bytes and the number of results with it (held to 255). With more than
    /// 34 scores the 33 highest are followed by the end marker 167, 15, 255. Nothing on a
    /// database failure (logged).
    std::optional<QByteArray> getFrequencyFeedback(const TableAddress& table, qint16 board);

    /// The distinct North-South scores of the board's counted results, highest first, at
    /// most 25: the board, the score in two bytes and the number of results with it (held to
    /// 127), plus 128 on the contestant's own score, the result of its own section and side
    /// on the board (no mark when it has none). board is 1 to 255. One byte 0 for a board
    /// without counted results; nothing on a database failure (logged).
    std::optional<QByteArray> getScoreFrequencyData(const TableAddress& table, qint16 board,
                                                    const FrequencyContestant& contestant);

    /// True for the array with which getTravelerFeedback withholds a traveller.
    static bool isTravellerWithheld(const QByteArray& payload) {
        return payload.size() == withheldTravellerSize;
    }

private:
    /// The condition of the board's counted results, its values appended to values.
    QString countedResultsOfBoard(const TableAddress& table, qint16 board, QVariantList& values) const;
    /// Hands the board's distinct counted scores with their counts, highest first, to row;
    /// false when they cannot be read.
    bool readScoreCounts(const TableAddress& table, qint16 board,
                         const std::function<void(const QSqlQuery&)>& row);
    void logFailure(const QString& source);

    ScoreDb& db_;
    Log& log_;
    const GameSettings& settings_;
};

} // namespace qzc
