#pragma once

#include "reports/ResultFile.h"

#include <QSqlQuery>
#include <QString>
#include <optional>

namespace qzc {

class Log;
class ScoreDb;

/// The result file for the hand-record program: comma-separated, the names of every pair
/// as seated in round 1 ([NAMES], only when players have pair numbers), then every played
/// result that is not erased, board by board ([RESULTS]). It has a file name of its own
/// beside the event result file, so that neither replaces the other.
class HandRecordResultFile {
public:
    static inline const QString fileName = QStringLiteral("handrecord_results.txt");

    HandRecordResultFile(ScoreDb& db, Log& log);

    /// The whole text, every line ended by CRLF and one more CRLF at the end; empty when
    /// there is neither a name nor a result to write; nothing, with reason set, when the
    /// score database cannot be read.
    std::optional<QString> makeText(QString& reason);

    /// Builds the file and writes it whole over any earlier one in eventDataPath (which ends
    /// with "/"). Nothing is written when there is nothing to write or the text cannot be
    /// built.
    ResultFileOutcome HandRecord_resultFile(const QString& eventDataPath);

private:
    std::optional<QStringList> nameLines();
    std::optional<QStringList> resultLines();
    /// The rows of sql; nothing, logged, when the query fails.
    std::optional<QSqlQuery> select(const QString& sql);

    ScoreDb& db_;
    Log& log_;
};

} // namespace qzc
