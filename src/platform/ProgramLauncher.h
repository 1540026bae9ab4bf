#pragma once

#include <QString>
#include <QStringList>

namespace qzc {

/// Starts another program that runs on its own, independent of this one.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    /// Starts program with args in workingDir (empty: the current folder). On failure
    /// returns false and, when errorText is given, puts the reason there for the log.
    virtual bool start(const QString& program, const QStringList& args, const QString& workingDir,
                       QString* errorText) = 0;
};

/// Starts programs as detached processes.
class DetachedProgramLauncher final : public ProgramLauncher {
public:
    bool start(const QString& program, const QStringList& args, const QString& workingDir,
               QString* errorText) override;
};

} // namespace qzc
