#include "desktop/Program.h"

#include "desktop/frmdesktop.h"
#include "support/BaseStationSimulator.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(ProgramTest, CommandLineOfQuotesArgumentsWithBlanks) {
    struct Case {
        QStringList arguments;
        QString expected;
    };
    const Case cases[] = {
        {{}, QString()},
        {{QStringLiteral("/f:/events/club.db")}, QStringLiteral("/f:/events/club.db")},
        {{QStringLiteral("/f:/my events/club.db"), QStringLiteral("/m1")},
         QStringLiteral("/f:\"/my events/club.db\" /m1")},
        {{QStringLiteral("odd name")}, QStringLiteral("\"odd name\"")},
    };
    for (const Case& c : cases) {
        const QString line = Program::commandLineOf(c.arguments);
        EXPECT_EQ(line, c.expected);
        if (!c.arguments.isEmpty() && c.arguments[0].startsWith(QStringLiteral("/f:"))) {
            EXPECT_EQ(Config::GetArgValue(line, QStringLiteral("/f:")), c.arguments[0].mid(3));
        }
    }
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ProgramTest, StartsOnAnEventWithTheBaseStationFoundAndQuitsInOrder) {
    int argc = 1;
    char name[] = "test_desktop";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    test::TempFolder folder;
    const test::ScopedEnv registryHome("XDG_CONFIG_HOME", folder.path().toUtf8());
    test::BaseStationSimulator station;
    ASSERT_TRUE(station.isValid());

    const QString eventPath = folder.filePath(QStringLiteral("club.db"));
    test::EventBuilder event = test::fixtures::mitchell();
    ASSERT_TRUE(event.build(eventPath));
    IniFile ini(folder.path() + Config::iniFileName);
    ASSERT_TRUE(ini.write(Config::mainSection, QStringLiteral("SerialDevices"), station.devicePath()));

    SystemClock clock;
    test::ScriptedMessageBox messages;
    const QString logPath = folder.filePath(QStringLiteral("club.log"));
    {
        Program program(folder.path(), QStringLiteral("/f:") + eventPath, clock, messages);
        ASSERT_TRUE(program.start()) << messages.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(messages.shown.empty());

        auto* status = program.desktop().findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), QStringLiteral("OK"));
        EXPECT_EQ(program.desktop().windowTitle(), getVersionText() + QStringLiteral(" - club"));
        EXPECT_EQ(ini.read(Config::mainSection, QStringLiteral("ComPort")), QStringLiteral("1"));
        EXPECT_EQ(program.desktop().firstCheckedChannel(), 1);

        program.exitProgram();
        const QString log = readText(logPath);
        EXPECT_TRUE(log.contains(QStringLiteral(": Base Station marked OK")));
        const qsizetype closed = log.indexOf(QStringLiteral(": Database closed"));
        const qsizetype quit = log.indexOf(QStringLiteral(": Quit program"));
        EXPECT_GT(closed, 0);
        EXPECT_GT(quit, closed);
    }
    // The destructor does not run the exit path a second time.
    EXPECT_EQ(readText(logPath).count(QStringLiteral("Quit program")), 1);
}

} // namespace
} // namespace qzc
