#pragma once

#include "scoring/ScoredBoard.h"

namespace qzc {
class ScoreDb;
}

namespace qzc::test {

/// A straightforward valuer of boards for the tests and benchmarks of the ranking and the
/// result files: one grouped query per board, then matchpoints or cross-IMPs on the WBF
/// scale. The program wires the scoring subsystem's own valuer in its place.
class SqlBoardScorer final : public ScoredBoardSource {
public:
    explicit SqlBoardScorer(ScoreDb& db) : db_(db) {}

    std::optional<ScoredBoard> scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                          bool symmetric) override;

    /// Boards valued so far.
    int calls() const { return calls_; }
    /// Makes every later call fail, as a database that cannot be read.
    void failFromNowOn() { failing_ = true; }

private:
    ScoreDb& db_;
    int calls_ = 0;
    bool failing_ = false;
};

/// IMPs of a score difference on the WBF scale, negative for a negative difference.
int impsOf(int difference);

} // namespace qzc::test
