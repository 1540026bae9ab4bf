#pragma once

#include "core/ScoreDb.h"

#include <QString>
#include <QtGlobal>
#include <map>
#include <optional>
#include <set>

namespace qzc {

/// The results that a range of rounds owes and the results got, counted from the score
/// database for one table, or for the tables of a section that have a terminal.
///
/// A section's counts are kept: the completeness check runs before every terminal request
/// while the game runs, and counting a whole section each time grows with the event. They
/// are counted again when the question changes (rounds, movement in memory, total boards)
/// and whenever the database may have changed (ScoreDb::ChangeMark), except for a result
/// that the program stored itself: then only that table is counted again.
class ResultProgress {
public:
    struct Counts {
        qint32 got = 0;
        qint32 owed = 0;
    };

    /// What is counted: rounds first to last; with the movement in memory the boards owed
    /// come from the RoundData rows of those rounds that play boards or that the table's
    /// stored results show it played, without it each table owes totalBoards and the results
    /// of every round count.
    struct Range {
        qint16 first = 1;
        qint16 last = 0;
        bool fromMovement = true;
        qint16 totalBoards = 0;
        /// Four players a table (GameData::seatsFourPlayers): a row with any of them empty
        /// plays no board.
        bool fourPlayers = false;
        bool operator==(const Range&) const = default;
    };

    explicit ResultProgress(ScoreDb& db) : db_(db) {}

    /// The counts of the tables of the section that have a terminal, kept from an earlier
    /// count while they still hold at mark.
    Counts section(qint16 sectionId, const Range& range, const ScoreDb::ChangeMark& mark);
    /// The counts of one table (its condition as sqlSectionTable gives it), counted now.
    Counts table(const QString& tableCondition, const Range& range);

    /// The program changed the results of one table, and nothing else, between the marks
    /// before and after: the kept counts of its section count that table again (all of the
    /// section's when owedChanged: a round of the table came to owe its boards, or ceased to),
    /// those of other sections stay. Counts that did not hold at before are dropped.
    void resultsChanged(qint16 sectionId, qint16 table, const ScoreDb::ChangeMark& before,
                        const ScoreDb::ChangeMark& after, bool owedChanged = false);
    /// The program changed something between before and after that no count depends on.
    void unrelatedChange(const ScoreDb::ChangeMark& before, const ScoreDb::ChangeMark& after);

private:
    struct Kept {
        Range range;
        ScoreDb::ChangeMark mark;
        /// Tables of the section that have a terminal.
        std::set<qint16> tables;
        qint32 owed = 0;
        std::map<qint16, qint32> got;
        qint32 gotTotal() const;
    };

    std::optional<Kept> countSection(qint16 sectionId, const Range& range);
    qint32 countTable(qint16 sectionId, qint16 table, const Range& range);

    ScoreDb& db_;
    std::map<qint16, Kept> kept_;
};

} // namespace qzc
