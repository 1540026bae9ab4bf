#include "desktop/Program.h"

#include "ProgramRig.h"
#include "desktop/PlayGrid.h"
#include "desktop/frmdesktop.h"
#include "platform/IniFile.h"
#include "session/GameSession.h"
#include "support/BaseStationSimulator.h"
#include "support/EveningPlayer.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/TestGuiApp.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSqlQuery>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

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

TEST(ProgramTest, StartsOnAnEventWithTheBaseStationFoundAndQuitsInOrder) {
    // A screen that does not begin at the desktop's origin, as the second of two or one
    // below a panel: the window goes on it, frame and all.
    test::TestGuiApp app(QRect(0, 100, 1280, 800));
    test::BaseStationSimulator station;
    ASSERT_TRUE(station.isValid());
    SystemClock clock;
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::mitchell(), station.devicePath()));
    const IniFile ini(rig.folder.path() + Config::iniFileName);
    {
        Program& program = rig.make();
        ASSERT_TRUE(program.start()) << rig.messages.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(rig.messages.shown.empty());

        auto* status = program.desktop().findChild<QLineEdit*>(QStringLiteral("txtbaseStationStatus"));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(), QStringLiteral("OK"));
        EXPECT_EQ(program.desktop().windowTitle(), getVersionText() + QStringLiteral(" - club"));
        // The whole window, its frame included, is on the screen.
        const QRect area = program.desktop().screen()->availableGeometry();
        const QRect frame = program.desktop().frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                          << frame.height() << " on " << area.width() << "x" << area.height();
        EXPECT_EQ(ini.read(Config::mainSection, QStringLiteral("ComPort")), QStringLiteral("1"));
        EXPECT_EQ(program.desktop().firstCheckedChannel(), 1);

        program.exitProgram(true);
        const QString log = rig.logText();
        EXPECT_TRUE(log.contains(QStringLiteral(": Base Station marked OK")));
        const qsizetype closed = log.indexOf(QStringLiteral(": Database closed"));
        const qsizetype quit = log.indexOf(QStringLiteral(": Quit program"));
        EXPECT_GT(closed, 0);
        EXPECT_GT(quit, closed);
    }
    // The destructor does not run the exit path a second time.
    rig.program.reset();
    EXPECT_EQ(rig.logText().count(QStringLiteral("Quit program")), 1);
}

// The running program answers the terminals: on a new club evening (two sections of six
// tables, five rounds of three boards) the simulated terminals wait for the game to start,
// then log in and enter every board.
TEST(ProgramTest, AnswersTheTerminalsOfAWholeEveningOnceTheGameStarts) {
    test::TestGuiApp app;
    test::BaseStationSimulator station;
    ASSERT_TRUE(station.isValid());
    SystemClock clock;
    test::ProgramRig rig(clock);
    ASSERT_TRUE(rig.prepare(test::fixtures::clubEvening(), station.devicePath()));
    Program& program = rig.make();
    ASSERT_TRUE(program.start());

    std::vector<test::PlayedTable> tables;
    for (int section = 1; section <= 2; ++section) {
        for (int table = 1; table <= 6; ++table)
            tables.push_back({QString(QChar(u'@' + section)) + QString::number(table),
                              static_cast<quint8>(section), static_cast<quint8>(table),
                              static_cast<quint16>(0x8000 + 16 * section + table)});
    }
    test::EveningOptions options;
    options.retryMs = 100;
    options.attempts = 200;
    std::atomic<bool> stop{false};
    std::atomic<int> waiting{0};
    std::atomic<bool> finished{false};
    std::vector<test::TableOutcome> outcomes;
    test::EveningPlayer player(station, tables, options);
    std::thread terminals([&] {
        outcomes = player.play(stop, [&](const QString& line) {
            if (line.contains(QLatin1String("waiting for the game to start")))
                ++waiting;
        });
        finished = true;
    });

    // The guard only ends a test whose evening never finishes.
    QElapsedTimer guard;
    guard.start();
    const auto runUntil = [&](const std::function<bool()>& done) {
        while (!done() && guard.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    };
    PlayGrid& grid = program.desktop().grid();
    const QColor complete = toColor(GridColour::Green);
    ASSERT_GT(grid.Rows(), 1);
    EXPECT_NE(grid.CellBackColor(1, 1), complete);
    const bool registered = runUntil([&] { return waiting >= 12; });
    if (registered)
        program.desktop().mnu_game_mode_Click(0);
    const bool played =
        registered && program.session().gameMode() == 1 && runUntil([&] { return finished.load(); });
    stop = true;
    terminals.join();
    ASSERT_TRUE(played);

    for (const test::TableOutcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.finished) << outcome.label.toStdString() << ": " << outcome.problem.toStdString();
        EXPECT_EQ(outcome.resultsEntered, 15) << outcome.label.toStdString();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(rig.eventPath());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT COUNT(*) FROM ReceivedData")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), 180);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));

    // The stored results queued their rounds for the grid; its timer works them off and
    // every table of section A shows its rounds complete.
    while (!grid.refreshQueue().isEmpty())
        grid.timerRefreshGrid_Timer();
    for (int row = 1; row < grid.Rows(); ++row) {
        for (int col = 1; col < grid.Cols(); ++col)
            EXPECT_EQ(grid.CellBackColor(row, col), complete) << row << "," << col;
    }
    // A picture of the window at the end of the evening, for a look by eye.
    if (const QByteArray shot = qgetenv("QZC_SCREENSHOT"); !shot.isEmpty())
        program.desktop().grab().save(QString::fromLocal8Bit(shot));
    program.exitProgram(true);
    const QString log = rig.logText();
    EXPECT_TRUE(log.contains(QStringLiteral(": Initialize stanza for A: 1,5 (main)")));
    EXPECT_TRUE(log.contains(QStringLiteral(": Start game.")));
    EXPECT_TRUE(log.contains(QStringLiteral(": All TQZ (12) found completed. (doMsg)")));
}

} // namespace
} // namespace qzc
