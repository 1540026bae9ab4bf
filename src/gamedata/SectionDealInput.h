#pragma once

#include <QSet>
#include <QtGlobal>
#include <optional>
#include <utility>
#include <vector>

namespace qzc {

class ScoreDb;

/// GameData::DB_Ask_dealInput answered for every table of one section from one read of the
/// section's hand records and of the tables' stored results, made at the first question: the
/// movement blocks ask it table after table. The answers are those the two statements of
/// DB_Ask_dealInput give, as SQLite compares the shared layout's number columns with a bound
/// number: a stored integer or real is compared by value, Null, text and blobs never match.
class SectionDealInput {
public:
    SectionDealInput(ScoreDb& db, qint16 sectionId) : db_(db), sectionId_(sectionId) {}

    /// DB_Ask_dealInput(sectionId, table, firstBoard, boardCount) where the hand records are
    /// present; nothing when the section cannot be read, and the caller asks the database as
    /// DB_Ask_dealInput does (which logs what fails).
    std::optional<bool> ask(qint16 table, qint16 firstBoard, qint16 boardCount);
    qint16 sectionId() const { return sectionId_; }

private:
    bool read();

    ScoreDb& db_;
    qint16 sectionId_;
    enum class Read { NotYet, Done, Failed } read_ = Read::NotYet;
    /// The section's HandRecord boards that are numbers, duplicates included, in order.
    std::vector<double> recordedBoards_;
    /// (table, board) of every ReceivedData row of the section, erased ones too.
    QSet<std::pair<qint16, qint16>> storedBoards_;
};

} // namespace qzc
