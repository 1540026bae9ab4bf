#pragma once

#include "core/Log.h"

#include <QString>
#include <QStringList>

namespace qzc::test {

/// The lines of a log text without their time stamps, in order, the lines that mark a
/// flush left out: ": message (source)", "sys-err1005 Invalid checksum value: FF ...",
/// "run-err7 Port gone (source)".
QStringList logBodies(const QString& text);
/// The lines the log holds in its buffer, as above.
inline QStringList logBodies(const Log& log) {
    return logBodies(log.bufferedText());
}

/// One log line without its time stamp and, for a plain message, without its ": ".
QString logLineBody(const QString& line);
/// Every line of a log text as logLineBody gives it, the flush marks left out.
QStringList logMessages(const QString& text);
/// The lines the log holds in its buffer, as above.
inline QStringList logMessages(const Log& log) {
    return logMessages(log.bufferedText());
}

} // namespace qzc::test
