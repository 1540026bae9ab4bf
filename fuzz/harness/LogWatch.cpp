#include "harness/LogWatch.h"

namespace qzc::fuzz {

void LogWatch::appendLine(const QString& line) {
    if (!line.contains(QLatin1String(" run-err")))
        return;
    for (const QLatin1String catcher :
         {QLatin1String("(doQueue)"), QLatin1String("(Queue_Timer)"), QLatin1String("(timerPort_Timer)")}) {
        if (line.endsWith(catcher)) {
            escaped << line;
            return;
        }
    }
}

} // namespace qzc::fuzz
