#include "reports/ReportFile.h"

#include "core/Log.h"
#include "core/TextFile.h"
#include "platform/ShellOpener.h"

namespace qzc {

QString writeAndOpenReport(const QString& path, const QString& text, Log& log, ShellOpener& shell,
                           const QString& source) {
    QString error;
    if (!WriteTextFile(path, text, error)) {
        log.writeLog(0, path + QStringLiteral(": ") + error, source, true);
        return {};
    }
    shell.open(path);
    return path;
}

} // namespace qzc
