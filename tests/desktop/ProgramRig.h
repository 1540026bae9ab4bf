#pragma once

#include "core/Config.h"
#include "desktop/Program.h"
#include "platform/IniFile.h"
#include "support/EventBuilder.h"
#include "support/FakeHelp.h"
#include "support/FakePlatform.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempFolder.h"

#include <QFile>
#include <memory>

namespace qzc::test {

/// A program around a temporary program folder and a fixture event, with a fake desktop,
/// help site, process list and program starter. Without a device the serial port named in
/// the ini file does not exist, so the link cannot come up.
class ProgramRig {
public:
    explicit ProgramRig(Clock& clock) : clock_(clock) {}

    QString eventPath() const { return folder.filePath(QStringLiteral("club.db")); }
    QString logPath() const { return folder.filePath(QStringLiteral("club.log")); }

    /// Builds the event and writes the ini keys; device is the base station's device path.
    bool prepare(EventBuilder builder, const QString& device = QString(), bool settingsDialog = false) {
        if (!builder.build(eventPath()))
            return false;
        IniFile ini(folder.path() + Config::iniFileName);
        return ini.write(Config::mainSection, QStringLiteral("SerialDevices"),
                         device.isEmpty() ? folder.filePath(QStringLiteral("no-such-device")) : device) &&
               ini.write(Config::defaultsSection, QStringLiteral("HideGSWindow"),
                         settingsDialog ? QStringLiteral("0") : QStringLiteral("1"));
    }
    void writeDefault(const QString& key, const QString& value) {
        IniFile(folder.path() + Config::iniFileName).write(Config::defaultsSection, key, value);
    }

    Program& make() {
        program = std::make_unique<Program>(folder.path(), QStringLiteral("/f:") + eventPath(), clock_,
                                            messages, ProgramPlatform{shell, online, processes, launcher});
        messages.transactions.watch(program->db());
        online.transactions.watch(program->db());
        return *program;
    }

    QString logText() const {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TempFolder folder;
    ScopedEnv registryHome{"XDG_CONFIG_HOME", folder.path().toUtf8()};
    ScriptedMessageBox messages;
    FakeShellOpener shell;
    FakeOnlineHelpCheck online;
    FakeProcessList processes;
    RecordingLauncher launcher;
    std::unique_ptr<Program> program;

private:
    Clock& clock_;
};

} // namespace qzc::test
