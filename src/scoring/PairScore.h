#pragma once

#include "scoring/ScoredBoard.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;

/// One ranked contestant: a pair, or a single player in an individual game.
struct PairScoreRecord {
    /// Section ID of the contestant.
    qint16 section = 0;
    /// Pair number, or the player number in an individual game.
    qint16 number = 0;
    /// The score, normally 0 to 100.
    double percentage = 0;
    /// Results credited to the contestant.
    qint16 boards = 0;
    /// Sum of what the credited results earn.
    double points = 0;
    /// Sums of the credited boards' tops and bases, from the contestant's side.
    double maximum = 0;
    double base = 0;
};

/// Which contestants one ranking lists.
enum class RankingSide : qint16 {
    /// North-South and East-West pairs in one list.
    Both = 0,
    NorthSouth = 1,
    EastWest = 2,
};

/// Ranks the contestants of a section or of the whole field by their percentage over the
/// boards scored so far.
class PairRanking {
public:
    PairRanking(ScoreDb& db, const GameSettings& settings, Log& log, ScoredBoardSource& boards);

    /// The contestants of section (0 or less: the whole field; also when the setting
    /// custom_qz_scoreacrosspair is 1) who played a board that has more than one counted
    /// result, up to round (0: all rounds), best first; equal percentages keep the order in
    /// which the contestants were found (North-South column, East-West, South, West, each
    /// by ascending number). topN above 0 keeps the first topN places. A board is scored in
    /// cross-IMPs when custom_qz_scoringtype is 0 and forceMatchpoints is false, otherwise
    /// in matchpoints. Only counted results are credited. Empty when nobody played; nothing
    /// when the database cannot be read (logged with the source "Database - PairScore").
    std::optional<std::vector<PairScoreRecord>> calcPairScore(qint16 section, RankingSide side, qint16 topN,
                                                              qint16 round, bool forceMatchpoints);

private:
    void logDatabaseError();

    ScoreDb& db_;
    const GameSettings& settings_;
    Log& log_;
    ScoredBoardSource& boards_;
};

} // namespace qzc
