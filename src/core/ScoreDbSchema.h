#pragma once

#include "core/SharedTables.h"

namespace qzc {

class Log;
class ScoreDb;

/// The structure of the score database: which shared tables it holds, and the program's
/// own tables and columns, which are created where missing. This is the one place that
/// defines the own schema.
class ScoreDbSchema {
public:
    ScoreDbSchema(ScoreDb& db, Log& log) : db_(db), log_(log) {}

    /// Fills present from the database's tables; true when all six required tables exist.
    bool checkscoreDB(TablePresence& present);

    /// Creates each missing own table and adds each missing own column; true when all exist
    /// afterwards. A database that holds them all runs no statement.
    bool IntegrateScoreDB();

    /// Creates the program's indexes (named qzc_...) where missing, on the shared tables that
    /// are present and on the terminal table: they serve the lookups of one table's or one
    /// board's results and movement. A failure is logged and the program goes on without
    /// that index.
    void createIndexes(const TablePresence& present);

private:
    ScoreDb& db_;
    Log& log_;
};

} // namespace qzc
