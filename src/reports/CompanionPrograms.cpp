#include "reports/CompanionPrograms.h"

#include "core/Log.h"
#include "platform/ProgramLauncher.h"

#include <QDir>
#include <QFileInfo>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Execute_AllDeal");

QString withoutTrailingSeparator(QString folder) {
    while (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        folder.chop(1);
    return folder;
}

} // namespace

QStringList companionArguments(const QString& eventName, const QString& orvEventsFolder) {
    return {QStringLiteral("Event=") + eventName, QStringLiteral("Session=1"),
            QStringLiteral("ORV=") + QDir::toNativeSeparators(withoutTrailingSeparator(orvEventsFolder))};
}

DealPrograms::DealPrograms(Log& log, ProgramLauncher& launcher) : log_(log), launcher_(launcher) {}

ProgramStart DealPrograms::Execute_AllDeal(bool useHandRecordProgram, const DealProgramPaths& paths) {
    ProgramStart outcome;
    if (paths.qzcPath.isEmpty()) {
        outcome.message = QStringLiteral("QZCPath is empty.");
        log_.writeLog(0, outcome.message, kSource);
        return outcome;
    }
    const QString program = useHandRecordProgram ? paths.handrecordsProgram : paths.kestrowProgram;
    if (program.isEmpty())
        return outcome;
    if (!QFileInfo(program).isFile()) {
        outcome.message = QStringLiteral("Path not found: ") + program;
        log_.writeLog(0, outcome.message);
        return outcome;
    }
    const QStringList args = companionArguments(paths.eventName, paths.orvEventsFolder);
    QString error;
    if (!launcher_.start(program, args, QString(), &error)) {
        outcome.message = program + QStringLiteral(": ") + error;
        log_.writeLog(0, outcome.message, kSource, true);
        return outcome;
    }
    log_.writeLog(0, QStringLiteral("Execute command: ") + program + QLatin1Char(' ') +
                         args.join(QLatin1Char(' ')));
    outcome.started = true;
    return outcome;
}

} // namespace qzc
