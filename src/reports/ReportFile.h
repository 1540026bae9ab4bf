#pragma once

#include <QString>

namespace qzc {

class Log;
class ShellOpener;

/// Writes a report's text whole over any earlier file at path (see WriteTextFile), then
/// opens it for the director. The path; empty when the writing failed, which is logged as
/// a run-time error of source.
QString writeAndOpenReport(const QString& path, const QString& text, Log& log, ShellOpener& shell,
                           const QString& source);

} // namespace qzc
