#pragma once

#include <QString>
#include <QVariant>

namespace qzc::test {

/// Runs one statement on the score database through a connection of its own, as the
/// scoring program does while the event runs; false when it fails. firstValue, when given,
/// receives the first column of the first row.
bool otherProgramRuns(const QString& databasePath, const QString& sql, QVariant* firstValue = nullptr);

} // namespace qzc::test
