#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

namespace qzc::test {

/// A temporary program folder for one test; removed with everything in it afterwards.
class TempFolder {
public:
    TempFolder() : dir_(QDir::tempPath() + QStringLiteral("/qzc-test-XXXXXX")) {}

    bool isValid() const { return dir_.isValid(); }
    /// The folder path, ending with "/".
    QString path() const { return dir_.path() + QLatin1Char('/'); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace qzc::test
