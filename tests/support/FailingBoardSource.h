#pragma once

#include "scoring/ScoredBoard.h"

namespace qzc::test {

/// A board valuer that cannot read a single board, as when the database fails under the
/// ranking or the result files; counts the boards asked for.
class FailingBoardSource final : public ScoredBoardSource {
public:
    std::optional<ScoredBoard> scoreBoard(qint16, qint16, BoardScoringMethod, bool) override {
        ++calls_;
        return std::nullopt;
    }

    /// Boards asked for so far.
    int calls() const { return calls_; }

private:
    int calls_ = 0;
};

} // namespace qzc::test
