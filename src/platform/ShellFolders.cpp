#include "platform/ShellFolders.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace qzc {

QString GetSpecialFolder(int folderId) {
    if (folderId != desktopDirectoryFolderId)
        return {};
    // Without a desktop Qt still names $HOME/Desktop; callers write files there, so a
    // missing folder counts as none.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(path).isDir() ? path : QString();
}

} // namespace qzc
