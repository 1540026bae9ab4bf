#pragma once

#include "scoring/ScoredBoard.h"

#include <map>
#include <tuple>

namespace qzc {

/// Keeps the boards another source valued until it is cleared, so that work over the same
/// stored results (the North-South and the East-West ranking of one request) values each
/// board once. Clear it whenever the stored results may have changed.
class ScoredBoardCache final : public ScoredBoardSource {
public:
    explicit ScoredBoardCache(ScoredBoardSource& source) : source_(source) {}

    std::optional<ScoredBoard> scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                          bool symmetric) override {
        const Key key{section, board, method, symmetric};
        const auto known = boards_.find(key);
        if (known != boards_.end())
            return known->second;
        std::optional<ScoredBoard> scored = source_.scoreBoard(section, board, method, symmetric);
        if (scored)
            boards_.emplace(key, *scored);
        return scored;
    }

    void clear() { boards_.clear(); }

private:
    using Key = std::tuple<qint16, qint16, BoardScoringMethod, bool>;

    ScoredBoardSource& source_;
    std::map<Key, ScoredBoard> boards_;
};

} // namespace qzc
