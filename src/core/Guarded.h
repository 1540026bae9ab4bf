#pragma once

#include "core/Log.h"

#include <QString>
#include <exception>

namespace qzc {

/// Runs step so that nothing thrown beneath it escapes: a timer tick or a window handler
/// logs it as a run-time error line ("run-err") of source and the program goes on. True
/// when step ran through.
template <typename Step> bool guarded(Log& log, const QString& source, Step&& step) {
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        log.writeLog(0, QString::fromLocal8Bit(e.what()), source, true);
    } catch (...) {
        log.writeLog(0, QStringLiteral("Unknown error"), source, true);
    }
    return false;
}

} // namespace qzc
