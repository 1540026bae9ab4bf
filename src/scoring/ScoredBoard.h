#pragma once

#include "scoring/ScoreScale.h"

#include <QtGlobal>
#include <optional>

namespace qzc {

/// How the results of a board are valued against each other.
enum class BoardScoringMethod {
    /// 2 per result beaten and 1 per other equal result; top 2n - 2, base 0.
    Matchpoints,
    /// Each result's IMPs against every other result; top and base the highest and lowest
    /// value, or +M and -M (M the larger magnitude) when the range is symmetric.
    CrossImps,
};

/// The counted results of one board, valued.
struct ScoredBoard {
    /// How many counted results the board has (the sum of the counts).
    qint16 results = 0;
    /// The distinct scores, highest first; empty when the board has no counted result. With
    /// a single result in matchpoints, scale, top and base all stay 0.
    ScoreFrequencyTable entries;

    /// The first entry of that score, or nullptr.
    const ScoreFrequencyRecord* find(qint16 score) const {
        for (const ScoreFrequencyRecord& entry : entries) {
            if (entry.score == score)
                return &entry;
        }
        return nullptr;
    }
};

/// Values the counted results of one board from the score database: its score frequencies
/// and their scale. The ranking and the result files score board after board through it.
class ScoredBoardSource {
public:
    virtual ~ScoredBoardSource() = default;

    /// The board's counted results in section (0 or less: the whole field), valued by method;
    /// symmetric matters for cross-IMPs only. Nothing when the database cannot be read (the
    /// source logs why).
    virtual std::optional<ScoredBoard> scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                                  bool symmetric) = 0;
};

} // namespace qzc
