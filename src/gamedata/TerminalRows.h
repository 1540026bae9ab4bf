#pragma once

#include "core/ScoreDb.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>
#include <vector>

namespace qzc {

/// The terminal table custom_qz_TQZ in memory, each row with the letters of its section:
/// what every terminal request looks up (its table and firmware version, the lock, the
/// counts of expected and received results). The rows are read again whenever the
/// database may have changed since they were read (ScoreDb::ChangeMark); the program's own
/// frequent writes (a result counted, a lock) are applied to them as they are written.
class TerminalRows {
public:
    /// One row; a Null (or unreadable) value is nothing.
    struct Row {
        std::optional<qint64> id;
        std::optional<qint64> section;
        std::optional<qint64> table;
        std::optional<qint64> expected;
        std::optional<qint64> got;
        std::optional<qint64> lock;
        QVariant versionMajor;
        QVariant versionMinor;
        /// The table number as the database holds it.
        QVariant tableValue;
        /// Whether Section has a row with the row's section ID, and its letters.
        bool sectionFound = false;
        QVariant letters;

        bool isTable(qint16 sectionId, qint16 tableNo) const {
            return section == sectionId && table == tableNo;
        }
    };

    explicit TerminalRows(ScoreDb& db) : db_(db) {}

    /// The rows as the database holds them at mark (read again when they were read at
    /// another mark); nothing when the table cannot be read.
    const std::vector<Row>* at(const ScoreDb::ChangeMark& mark);

    /// The program itself changed the rows of one table between the marks before and after,
    /// and nothing else: change is applied to those rows in memory, which then hold at
    /// after. When they did not hold at before, or another program committed meanwhile,
    /// they are read again at their next use instead.
    void changedTable(qint16 sectionId, qint16 table, const ScoreDb::ChangeMark& before,
                      const ScoreDb::ChangeMark& after, const std::function<void(Row&)>& change);

    /// Reads the rows again at their next use.
    void forget() { mark_ = {}; }

private:
    ScoreDb& db_;
    std::vector<Row> rows_;
    ScoreDb::ChangeMark mark_;
};

} // namespace qzc
