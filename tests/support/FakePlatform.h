#pragma once

#include "platform/ProcessList.h"
#include "platform/ProgramLauncher.h"

#include <QStringList>

namespace qzc::test {

/// A process list that knows the names it is given.
class FakeProcessList final : public ProcessList {
public:
    bool IsProcessRunning(const QString& exeName) const override { return running.contains(exeName); }
    QStringList running;
};

/// Records the programs it is asked to start; fails when told to.
class RecordingLauncher final : public ProgramLauncher {
public:
    bool start(const QString& program, const QStringList& args, const QString& workingDir,
               QString* errorText) override {
        started << program;
        lastArgs = args;
        lastWorkingDir = workingDir;
        if (fail && errorText != nullptr)
            *errorText = QStringLiteral("Permission denied");
        return !fail;
    }
    QStringList started;
    QStringList lastArgs;
    QString lastWorkingDir;
    bool fail = false;
};

} // namespace qzc::test
