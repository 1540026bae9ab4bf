#pragma once

#include "scoring/TableAddress.h"

#include <QByteArray>
#include <QVariantList>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;

/// The feedback a table gets for a board result it submitted: the traveller (the other
/// counted results of the board, reply 51) or the score frequencies of the board (reply
/// 53). Both cover the table's section, or the whole field when boards are scored across
/// it. Entries are 3 bytes each, with no count byte; one byte 0 means nothing to send.
class FeedbackPayloads {
public:
    /// Most entries of either payload (102 bytes).
    static constexpr int maxEntries = 34;
    /// With matchpoint scoring, a traveller of more results than this is withheld.
    static constexpr int maxMatchpointTravellerResults = 15;
    /// Size of the all-zero array that stands for a withheld traveller.
    static constexpr int withheldTravellerSize = 201;

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

    /// True for the array with which getTravelerFeedback withholds a traveller.
    static bool isTravellerWithheld(const QByteArray& payload) {
        return payload.size() == withheldTravellerSize;
    }

private:
    /// The condition of the board's counted results, its values appended to values.
    QString countedResultsOfBoard(const TableAddress& table, qint16 board, QVariantList& values) const;
    void logFailure(const QString& source);

    ScoreDb& db_;
    Log& log_;
    const GameSettings& settings_;
};

} // namespace qzc
