#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc::fuzz {

/// Empties the event's log file once it has grown beyond maxLogFileBytes, looking at it on
/// every logTrimInterval-th call only: a long fuzz run writes more log than a disk should
/// hold, and the latest lines are enough to see what happened. The log opens its file anew
/// for every block it writes, so it simply goes on.
class LogFileTrim {
public:
    static constexpr qint64 maxLogFileBytes = 16 * 1024 * 1024;
    static constexpr int logTrimInterval = 1000;

    void afterInput(const QString& logFilePath);

private:
    int inputs_ = 0;
};

} // namespace qzc::fuzz
