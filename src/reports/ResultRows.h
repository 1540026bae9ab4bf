#pragma once

#include "scoring/ScoredBoard.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class GameSettings;
class Log;
struct ResultFileGameData;
class ScoreDb;

/// What one result earns by one scoring method, from both sides.
struct ResultValues {
    double ns = 0;
    double ew = 0;
    double nsPercentage = 0;
    double ewPercentage = 0;
    double top = 0;
    double base = 0;
};

/// One stored board result with its matchpoint and cross-IMP values.
struct ResultFileRow {
    qint16 sectionId = 0;
    QString sectionLetter;
    qint16 board = 0;
    qint16 round = 0;
    /// The North and East players in an individual game.
    qint16 nsPair = 0;
    qint16 ewPair = 0;
    /// 0 unless the game is individual.
    qint16 south = 0;
    qint16 west = 0;
    /// The duplicate score from North-South's side.
    qint16 score = 0;
    /// Blanks removed; empty for a no-contract row.
    QString contract;
    QString declarer;
    qint16 tricks = 0;
    QString lead;
    QString remarks;
    ResultValues matchpoints;
    ResultValues imps;
    /// The row takes no part in scoring: not played, late play or passed by remark, or
    /// neither contract nor remark.
    bool noContract = false;
    /// A row the board's scale does not count (a remark, no contract, or a score never
    /// stored): it is in no table and earns nothing.
    bool unscored = false;
};

/// Loads the event's stored results into result rows and values them board by board.
class ResultRowBuilder {
public:
    ResultRowBuilder(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards);

    /// The results that are not erased, of section and board (0 or less: all), by section,
    /// board, table and round. Empty when none is stored; nothing when the database cannot
    /// be read (logged with the source "Database - memory_brdResult_setup").
    std::optional<std::vector<ResultFileRow>> memory_brdResult_setup(qint16 section, qint16 board);

    /// Fills the matchpoint or the cross-IMP values of every row, each board valued per
    /// section or, across, over the whole field. Cross-IMPs use a symmetric range in a
    /// section whose pairs change direction. False when there is no row or a board cannot
    /// be valued (logged with the source "Database - memory_brdResult_scoring").
    bool memory_brdResult_scoring(std::vector<ResultFileRow>& rows, bool across, BoardScoringMethod method,
                                  const ResultFileGameData& game);

private:
    ScoreDb& db_;
    const GameSettings& settings_;
    Log& log_;
    ScoredBoardSource& boards_;
};

} // namespace qzc
