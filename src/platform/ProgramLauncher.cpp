#include "platform/ProgramLauncher.h"

#include <QProcess>

namespace qzc {

bool DetachedProgramLauncher::start(const QString& program, const QStringList& args,
                                    const QString& workingDir, QString* errorText) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(args);
    process.setWorkingDirectory(workingDir);
    if (process.startDetached())
        return true;
    if (errorText)
        *errorText = process.errorString();
    return false;
}

} // namespace qzc
