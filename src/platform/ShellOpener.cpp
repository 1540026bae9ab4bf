#include "platform/ShellOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace qzc {

bool isWebAddress(const QString& path) {
    return path.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           path.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
}

bool DesktopShellOpener::open(const QString& path) {
    if (isWebAddress(path))
        return QDesktopServices::openUrl(QUrl(path));
    // The desktop may report success for a missing file and show its own error later.
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace qzc
