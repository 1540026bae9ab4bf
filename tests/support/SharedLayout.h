#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace qzc::test {

/// One column of the shared layout with its type as the create statement gives it.
struct LayoutColumn {
    QString name;
    QString type;
};

/// One table of the shared score-database layout as a scoring program creates it, without
/// the program's own columns (those come from the program's own schema integration).
struct LayoutTable {
    QString name;
    std::vector<LayoutColumn> columns;

    /// "CREATE TABLE name (...)" without the columns listed in skipped.
    QString createStatement(const QStringList& skipped = {}) const;
};

/// The twelve shared tables. Yes/no columns are "YESNO NOT NULL DEFAULT 0" (0 and -1),
/// text columns that are compared are COLLATE NOCASE.
const std::vector<LayoutTable>& sharedLayout();

/// The column names of the shared Settings table, in their order.
QStringList sharedSettingsColumns();

} // namespace qzc::test
