#pragma once

#include "scoring/ScoreScale.h"
#include "scoring/ScoredBoard.h"

#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;

/// Reads the score frequencies of a board from the stored results, values them for the
/// ranking and the result files, and keeps the stored matchpoint scale of every result up
/// to date. Owns boardFrequencyTable, the board that the ranking or the personal recap is
/// scoring at the moment.
class ScoreFrequency final : public ScoredBoardSource {
public:
    /// The most distinct scores a board can have.
    static constexpr int maxDistinctScores = 500;

    ScoreFrequency(ScoreDb& db, Log& log, const GameSettings& settings);

    /// Fills table with the distinct scores of the board's counted results, highest first,
    /// for one section ID or, with section 0 or less, the whole field. Returns the number
    /// of counted results. A database failure, or more than maxDistinctScores scores, is
    /// logged and gives 0 with the table as far as it was filled.
    qint16 getScoreFrequency(qint16 section, qint16 board, ScoreFrequencyTable& table);

    /// The board's frequencies (getScoreFrequency into boardFrequencyTable) valued by
    /// calcMatchpoints or calcImpScores. Nothing when they cannot be read (logged as by
    /// getScoreFrequency).
    std::optional<ScoredBoard> scoreBoard(qint16 section, qint16 board, BoardScoringMethod method,
                                          bool symmetric) override;

    /// Stores the matchpoint scale of the board in custom_qz_scalepoint and its top in
    /// custom_qz_scalepointmax of every counted result, per section of sectionIds, or in
    /// one pass across the field when the setting custom_qz_scoreacrosspair is on. A board
    /// with fewer than two counted results gets -1 and 0; a result with a remark or
    /// without a contract gets -1. Boards below 1 are left alone. False (logged, nothing
    /// written) when the scale could not be stored, as while another program writes.
    bool WriteScalePoint(qint16 board, const std::vector<qint16>& sectionIds);

    /// The table of the board being scored; each board scored replaces it.
    ScoreFrequencyTable& boardFrequencyTable() { return boardFrequencyTable_; }

private:
    /// getScoreFrequency, with nothing for a failure.
    std::optional<qint16> readScoreFrequency(qint16 section, qint16 board, ScoreFrequencyTable& table);
    void writeSectionScale(qint16 board, qint16 section);

    ScoreDb& db_;
    Log& log_;
    const GameSettings& settings_;
    ScoreFrequencyTable boardFrequencyTable_;
};

} // namespace qzc
