#pragma once

#include <QString>

namespace qzc {

class Log;

/// Logs one radio log line: the tag, then " <= " for "RX", " => " for "TX" and " - " for
/// any other tag (compared without surrounding blanks), then the text. The log viewer's
/// decoder and the rebuild of results from the log read these lines back.
void LogFrameLine(Log& log, const QString& text, const QString& tag);

} // namespace qzc
