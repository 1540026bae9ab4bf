#include "harness/LogFileTrim.h"

#include <QFile>
#include <QFileInfo>

namespace qzc::fuzz {

void LogFileTrim::afterInput(const QString& logFilePath) {
    if (++inputs_ < logTrimInterval)
        return;
    inputs_ = 0;
    if (!logFilePath.isEmpty() && QFileInfo(logFilePath).size() > maxLogFileBytes)
        QFile::resize(logFilePath, 0);
}

} // namespace qzc::fuzz
