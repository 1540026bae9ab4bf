#include "terminal/RadioLogLine.h"

#include "core/Log.h"

namespace qzc {

void LogFrameLine(Log& log, const QString& text, const QString& tag) {
    const QString trimmed = tag.trimmed();
    QString arrow = QStringLiteral(" - ");
    if (trimmed == QLatin1String("RX"))
        arrow = QStringLiteral(" <= ");
    else if (trimmed == QLatin1String("TX"))
        arrow = QStringLiteral(" => ");
    log.writeLog(0, tag + arrow + text);
}

} // namespace qzc
