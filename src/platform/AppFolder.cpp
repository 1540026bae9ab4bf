#include "platform/AppFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace qzc {

QString appFolder() {
    QString folder = toInternalPath(qEnvironmentVariable("QZC_HOME"));
    if (folder.isEmpty() && QCoreApplication::instance())
        folder = QCoreApplication::applicationDirPath();
    if (folder.isEmpty())
        folder = QDir::currentPath();
    // A relative $QZC_HOME must not move when the current folder changes later.
    folder = QFileInfo(folder).absoluteFilePath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString toInternalPath(const QString& path) {
    QString internal = path;
    internal.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return internal;
}

} // namespace qzc
