// The main window's report, export, program and window commands through their menu items,
// with a fake desktop, program starter and message box.

#include "ProgramRig.h"
#include "core/ResultEntry.h"
#include "desktop/ReportCommands.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmLog.h"
#include "gamedata/GameData.h"
#include "support/FakeClock.h"
#include "support/Fixtures.h"
#include "support/GoldenFile.h"
#include "support/TestGuiApp.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace qzc {
namespace {

class MenuCommandsTest : public ::testing::Test {
protected:
    /// The Mitchell fixture with the hand record of board 1 (each hand one suit).
    void SetUp() override {
        test::EventBuilder b = test::fixtures::mitchell();
        b.addHandRecord(1, 1,
                        {QStringLiteral("AKQJT98765432.-.-.-"), QStringLiteral("-.AKQJT98765432.-.-"),
                         QStringLiteral("-.-.AKQJT98765432.-"), QStringLiteral("-.-.-.AKQJT98765432")});
        ASSERT_TRUE(rig.prepare(b));
        ASSERT_TRUE(rig.make().start());
        rig.messages.shown.clear();
        rig.program->config().desktopFolder = desktop.path();
    }
    frmdesktop& window() { return rig.program->desktop(); }
    void trigger(const char* item) { window().findChild<QAction*>(QLatin1String(item))->trigger(); }
    QString file(const char* name) const { return rig.folder.path() + QLatin1String(name); }
    /// Creates an empty file (a companion program) and its folder.
    static void touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList shownTexts() const { return rig.messages.texts(); }
    QStringList companionArgs() const {
        return {QStringLiteral("Event=club"), QStringLiteral("Session=1"),
                QStringLiteral("ORV=") + rig.folder.path() + QStringLiteral("events")};
    }

    test::TestGuiApp app;
    test::FakeClock clock;
    test::ProgramRig rig{clock};
    test::TempFolder desktop;
};

// "Export deals" writes the selected section's deal file and the event result file, then
// starts Kestrow on the event; what it misses is told.
TEST_F(MenuCommandsTest, ExportDeals) {
    const QString deals = file("club#1.brk");
    trigger("mnu_exportdeal");
    EXPECT_TRUE(QFile::exists(deals));
    EXPECT_TRUE(QFile::exists(file("results.txt")));
    EXPECT_TRUE(rig.launcher.started.isEmpty());
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_EQ(shownTexts()[0], QStringLiteral("The deals are exported to\r\n") + deals +
                                   QStringLiteral("\r\nKestrow, which opens them, is not found:\r\n") +
                                   file("kestrow/Kestrow.exe"));

    // An earlier file is kept when the director says No, replaced on Yes, and Kestrow starts.
    touch(file("kestrow/Kestrow.exe"));
    rig.messages.answers = {false, true};
    QFile::remove(deals);
    touch(deals);
    trigger("mnu_exportdeal");
    EXPECT_EQ(QFileInfo(deals).size(), 0);
    trigger("mnu_exportdeal");
    EXPECT_GT(QFileInfo(deals).size(), 0);
    EXPECT_EQ(rig.launcher.started, QStringList{file("kestrow/Kestrow.exe")});
    EXPECT_EQ(rig.launcher.lastArgs, companionArgs());
    EXPECT_EQ(shownTexts().mid(1),
              (QStringList{QStringLiteral("The file, ") + deals +
                               QStringLiteral(", is found. Do you want to overwrite it?"),
                           QStringLiteral("The file, ") + deals +
                               QStringLiteral(", is found. Do you want to overwrite it?")}));

    // Without a section chosen there is nothing to export.
    window().findChild<QComboBox*>(QStringLiteral("cboSection"))->setCurrentIndex(-1);
    trigger("mnu_exportdeal");
    EXPECT_EQ(shownTexts().last(),
              QStringLiteral("Please choose the section whose deals are to be exported."));
}

// "Hand Records" writes the event result file and starts the hand-record program, when the
// all-deal file and the program are known.
TEST_F(MenuCommandsTest, HandRecords) {
    trigger("mnu_handprint");
    EXPECT_TRUE(QFile::exists(file("results.txt")));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("QZCPath is empty.")});

    rig.program->config().qzcPath = file("alldeals.txt");
    const QString program = file("handrecords/handrecords.exe");
    trigger("mnu_handprint");
    EXPECT_EQ(shownTexts().last(), QStringLiteral("Path not found: ") + program);
    touch(program);
    trigger("mnu_handprint");
    EXPECT_EQ(rig.launcher.started, QStringList{program});
    EXPECT_EQ(rig.launcher.lastArgs, companionArgs());
    EXPECT_EQ(shownTexts().size(), 2);
}

// "Display temporary results" writes the traveller file of every board and opens it.
TEST_F(MenuCommandsTest, TemporaryResults) {
    trigger("mnu_printresults");
    EXPECT_EQ(rig.shell.opened, QStringList{file("club_result.txt")});
    EXPECT_TRUE(test::readFileBytes(file("club_result.txt")).contains("Bd   1"));
    EXPECT_TRUE(shownTexts().isEmpty());
}

// "Upgrade firmware" starts the program the ini file names, in the program folder, with its
// argument; a missing program is logged and told.
TEST_F(MenuCommandsTest, UpgradeFirmwareAndChannel) {
    rig.program->config().writeMain(QStringLiteral("FirmwareEXE"), QStringLiteral("fwupdate.exe /port=3"));
    trigger("mnu_sys_firmware");
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("The firmware-upgrade program is not found:\r\n") +
                                        file("fwupdate.exe")});
    EXPECT_TRUE(rig.logText().contains(QStringLiteral("run-err0 File not found, ") + file("fwupdate.exe") +
                                       QStringLiteral(" (Start firmware upgrade program)")));
    touch(file("fwupdate.exe"));
    trigger("mnu_sys_firmware");
    EXPECT_EQ(rig.launcher.started, QStringList{file("fwupdate.exe")});
    EXPECT_EQ(rig.launcher.lastArgs, QStringList{QStringLiteral("/port=3")});
    EXPECT_EQ(rig.launcher.lastWorkingDir, rig.folder.path());

    // A channel chosen is the channel of the next start too.
    trigger("mnu_sys_channel_no_5");
    EXPECT_EQ(rig.program->config().readMain(QStringLiteral("Channel")), QStringLiteral("5"));
    EXPECT_EQ(window().firstCheckedChannel(), 5);
}

// "Print settings": the main window printed where the director chose (a PDF file here);
// nothing when the printer dialog is cancelled.
TEST_F(MenuCommandsTest, PrintSettings) {
    ReportCommands* reports = window().commands().reports;
    ASSERT_NE(reports, nullptr);
    const QString pdf = desktop.filePath(QStringLiteral("window.pdf"));
    bool choose = false;
    reports->choosePrinter = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return choose;
    };
    trigger("mnu_printscreen");
    EXPECT_FALSE(QFile::exists(pdf));
    choose = true;
    trigger("mnu_printscreen");
    EXPECT_TRUE(test::readFileBytes(pdf).startsWith("%PDF"));
}

// The about box: its Help opens topic 26, "Report problem" puts a consistent copy of the
// open database (its latest change included) and the log on the desktop.
TEST_F(MenuCommandsTest, AboutBoxAndProblemReport) {
    trigger("mnu_sys_about");
    trigger("mnu_sys_about");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(window().findChildren<frmAbout*>().size(), 1);
    frmAbout* about = window().findChildren<frmAbout*>().front();
    about->cmdHelp->click();
    EXPECT_EQ(rig.shell.opened, QStringList{rig.folder.path() + QStringLiteral("Help/html/about.html")});

    qzc::ResultEntry late;
    late.contract = QStringLiteral("1NT");
    late.declarer = QStringLiteral("N");
    late.tricks = 7;
    late.board = 3;
    late.valid = -1;
    ASSERT_EQ(rig.program->gameData().markResult(QStringLiteral("A1"), late, 1, 1, 8, 0, 0).status,
              MarkResultOutcome::Status::Stored);
    about->cmdReport->click();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_EQ(shownTexts()[0],
              QStringLiteral("Please send the files:\r\nclub.db\r\nclub.log\r\nthat you find on "
                             "the desktop to\r\n") +
                  ProblemReport::supportAddress);
    EXPECT_TRUE(rig.messages.shown[0].modeless);
    EXPECT_TRUE(test::readFileBytes(desktop.filePath(QStringLiteral("club.log"))).contains("Force flush"));
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("copy"));
        copy.setDatabaseName(desktop.filePath(QStringLiteral("club.db")));
        ASSERT_TRUE(copy.open());
        QSqlQuery query(copy);
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Board=3")) &&
                    query.next());
        EXPECT_EQ(query.value(0).toInt(), 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("copy"));
}

// With the desktop in the event's folder the report's copies go beside the event's files:
// the open database is neither removed nor replaced, and a result stored after the report
// is still there after a restart.
TEST_F(MenuCommandsTest, ProblemReportOnTheEventFolderLeavesTheEventAlone) {
    const auto storeBoard = [this](qint16 board) {
        qzc::ResultEntry entry;
        entry.contract = QStringLiteral("1NT");
        entry.declarer = QStringLiteral("N");
        entry.tricks = 7;
        entry.board = board;
        entry.valid = -1;
        return rig.program->gameData().markResult(QStringLiteral("A1"), entry, 1, 1, 8, 0, 0).status;
    };
    const auto count = [this](const char* sql) {
        qint32 value = -1;
        rig.program->db().getDBValue(QLatin1String(sql), QStringLiteral("n"), value);
        return value;
    };
    ASSERT_EQ(storeBoard(1), MarkResultOutcome::Status::Stored);
    rig.program->config().desktopFolder = rig.folder.path();
    trigger("mnu_sys_about");
    window().findChildren<frmAbout*>().front()->cmdReport->click();
    ASSERT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(shownTexts()[0].startsWith(
        QStringLiteral("Please send the files:\r\nclub-report.db\r\nclub-report.log\r\n")));
    EXPECT_TRUE(test::readFileBytes(file("club-report.log")).contains("Force flush"));

    ASSERT_EQ(storeBoard(2), MarkResultOutcome::Status::Stored);
    rig.program.reset();
    ASSERT_TRUE(rig.make().start());
    EXPECT_EQ(count("SELECT COUNT(*) AS n FROM ReceivedData WHERE Board<=2"), 2);
    QString check;
    rig.program->db().getDBValue(QStringLiteral("PRAGMA integrity_check"), QStringLiteral("integrity_check"),
                                 check);
    EXPECT_EQ(check, QStringLiteral("ok"));
}

// F9 opens the log window with the log in it, lines logged meanwhile are added (a full box
// is cut first, the caret kept on its line); the access code shows the maintenance menu and
// unlocks F1, which decodes the line of the caret; Ctrl+F9 closes the window.
TEST_F(MenuCommandsTest, LogWindowAndDecodeMsg) {
    const auto press = [](QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
    };
    const auto type = [](QWidget* target, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent event(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(target, &event);
        }
    };
    press(&window(), Qt::Key_F9);
    ASSERT_EQ(window().findChildren<frmLog*>().size(), 1);
    frmLog* log = window().findChildren<frmLog*>().front();
    EXPECT_TRUE(log->txtLog->toPlainText().contains(QStringLiteral("Setup grid completed")));
    // A line as long as the box holds: the next one cuts the box to make room.
    rig.program->log().writeLog(0, QString(frmLog::shownChars, QLatin1Char('x')));
    rig.program->log().writeLog(0, QStringLiteral("RX <= FF 00 0C 01 0A 00 17"));
    EXPECT_TRUE(log->txtLog->toPlainText().endsWith(QStringLiteral(": RX <= FF 00 0C 01 0A 00 17")));

    QMenu* maintenance = window().findChild<QMenu*>(QStringLiteral("mnumaintenance"));
    type(log->txtLog, QStringLiteral("MWDmwd"));
    EXPECT_TRUE(maintenance->menuAction()->isVisible());
    EXPECT_FALSE(log->txtLog->isReadOnly());
    log->txtLog->moveCursor(QTextCursor::Start);
    ASSERT_TRUE(log->txtLog->find(QStringLiteral("RX <= FF")));
    // Half a box more cuts it again: the caret stays on its line.
    rig.program->log().writeLog(0, QString(frmLog::shownChars / 2, QLatin1Char('y')));
    EXPECT_TRUE(
        log->txtLog->textCursor().block().text().endsWith(QStringLiteral(": RX <= FF 00 0C 01 0A 00 17")));
    press(log->txtLog, Qt::Key_F1);
    EXPECT_EQ(log->txtLog->textCursor().selectedText(),
              QStringLiteral("%1 : RX > FF 00 0C 01 0A 00 17\u2029TQZ 0x000C: Request game status")
                  .arg(clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))));

    press(&window(), Qt::Key_F9, Qt::ControlModifier);
    EXPECT_TRUE(window().findChildren<frmLog*>().isEmpty());
}

// F1 opens the help's index, the result pop-up's Help its page; "Change view" switches between
// the two views.
TEST_F(MenuCommandsTest, HelpAndChangeView) {
    trigger("mnu_help");
    window().findChild<QPushButton*>(QStringLiteral("cmdHelpResult"))->click();
    EXPECT_EQ(rig.shell.opened,
              (QStringList{rig.folder.path() + QStringLiteral("Help/index.html"),
                           rig.folder.path() + QStringLiteral("Help/html/change_result.html")}));
    auto* views = window().findChild<QComboBox*>(QStringLiteral("cboView"));
    auto* change = window().findChild<QPushButton*>(QStringLiteral("cmdView"));
    // No view is chosen before the game starts: the first one comes first.
    for (const int shown : {0, 1, 0}) {
        change->click();
        EXPECT_EQ(views->currentIndex(), shown);
    }
}

} // namespace
} // namespace qzc
