#pragma once

#include <QtGlobal>
#include <vector>

namespace qzc {

/// One distinct North-South score of a board with what a result with that score earns.
struct ScoreFrequencyRecord {
    qint16 score = 0;
    /// Counted results with this score.
    qint16 count = 0;
    /// Matchpoints (2 per result beaten, 1 per other result with the same score) or the
    /// cross-IMP sum.
    qint16 scale = 0;
    /// The board's top and base, the same in every record of a table.
    qint16 top = 0;
    qint16 base = 0;

    friend bool operator==(const ScoreFrequencyRecord&, const ScoreFrequencyRecord&) = default;
};

/// The distinct scores of one board, highest first, each once. Empty for a board without
/// counted results.
using ScoreFrequencyTable = std::vector<ScoreFrequencyRecord>;

/// Fills in the matchpoint scale of a table in descending score order; returns the top
/// (2 x results - 2). With a single result (top 0) and for an empty table nothing is
/// written and 0 comes back.
qint16 calcMatchpoints(ScoreFrequencyTable& table);

/// Fills in the cross-IMP scale: what one result with each score wins or loses against
/// every counted result of the board. The range is min to max, or -M to M with
/// symmetric (M the larger magnitude). Returns top - base; 0 for an empty table.
qint16 calcImpScores(ScoreFrequencyTable& table, bool symmetric);

/// IMPs for a score difference on the standard scale; negative for a negative difference.
qint16 scoreToIMP(qint32 difference);

} // namespace qzc
