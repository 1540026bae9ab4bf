#include "dialogs/frmClosing.h"
#include "dialogs/frmMovement.h"
#include "support/FakeHelp.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestGuiApp.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::TestGuiApp;
using test::whenShown;

// ---- Closing confirmation ---------------------------------------------------------------

enum class Answer { Yes, No, CloseBox, Escape, ProgramEnds };

struct ClosingCase {
    const char* name;
    bool hideFinishedWindow;
    bool tick;
    Answer answer;
    bool quits;
    /// The ini key afterwards.
    const char* iniValue;
};

TEST(frmClosingTest, AnswersAndTheDoNotShowAgainBox) {
    const ClosingCase cases[] = {
        {"Yes", false, false, Answer::Yes, true, ""},
        {"YesTicked", false, true, Answer::Yes, true, "1"},
        {"No", false, false, Answer::No, false, ""},
        {"NoTicked", false, true, Answer::No, false, "1"},
        {"CloseBoxMeansNo", false, false, Answer::CloseBox, false, ""},
        {"CloseBoxTickedStoresNothing", false, true, Answer::CloseBox, false, ""},
        {"EscapeMeansNo", false, false, Answer::Escape, false, ""},
        {"SwitchedOffQuitsWithoutAsking", true, false, Answer::No, true, ""},
        // Last: every event loop of this application ends with it.
        {"ProgramEndsTickedStoresNothing", false, true, Answer::ProgramEnds, false, ""},
    };
    TestGuiApp app;
    for (const ClosingCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::HelpRig rig;
        rig.config.HideFinishedWindow = c.hideFinishedWindow;
        bool asked = false;
        whenShown([&] {
            auto* box = qobject_cast<frmClosing*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            asked = true;
            EXPECT_TRUE(box->tag().isEmpty());
            EXPECT_FALSE(box->chkHideFinished->isChecked());
            box->chkHideFinished->setChecked(c.tick);
            switch (c.answer) {
            case Answer::Yes:
                box->cmdButton[0]->click();
                break;
            case Answer::No:
                box->cmdButton[1]->click();
                break;
            case Answer::CloseBox:
                box->close();
                break;
            case Answer::Escape: {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &escape);
                break;
            }
            case Answer::ProgramEnds:
                QCoreApplication::exit(0);
                break;
            }
        });
        EXPECT_EQ(frmClosing::confirmQuit(rig.config, &rig.help), c.quits);
        EXPECT_EQ(asked, !c.hideFinishedWindow);
        EXPECT_EQ(rig.config.readDefault(QStringLiteral("HideFinishedWindow")).toStdString(), c.iniValue);
        EXPECT_EQ(rig.config.HideFinishedWindow, c.hideFinishedWindow || QByteArray(c.iniValue) == "1");
        QApplication::processEvents();
    }
}

TEST(frmClosingTest, HelpTopicTwelveOnTheButtonAndF1) {
    TestGuiApp app;
    test::HelpRig rig;
    frmClosing box(&rig.help);
    box.Form_Load();
    box.cmdHelp->click();
    QKeyEvent f1(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&box, &f1);
    const QString page = rig.config.appFolder + QStringLiteral("Help/html/finished.html");
    EXPECT_EQ(rig.shell.opened, (QStringList{page, page}));
    // A page that cannot be opened is told without the hourglass.
    rig.shell.succeeds = false;
    rig.messages.whileShown = [] {
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    };
    box.cmdHelp->click();
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(box.cmdButton[0]->text(), QStringLiteral("&Yes"));
    EXPECT_EQ(box.cmdButton[1]->text(), QStringLiteral("&No"));
}

// ---- Movement dialog --------------------------------------------------------------------

enum class Press { Ok, Quit, CloseBox };

struct MovementCase {
    const char* name;
    const char* perRound;
    const char* total;
    Press press;
    /// The texts the boxes keep.
    const char* perRoundShown;
    const char* totalShown;
    bool warned;
    bool staysOpen;
    qint16 boardsPerRound;
    qint16 totalBoards;
};

TEST(frmMovementTest, ChecksAndStoresTheBoardCounts) {
    const MovementCase cases[] = {
        {"NotAMultiple", "6", "27", Press::Ok, "6", "27", true, true, 5, 40},
        {"AMultiple", "3", "27", Press::Ok, "3", "27", false, false, 3, 27},
        {"EmptyTotal", "3", "", Press::Ok, "3", "", false, false, 3, 0},
        {"BothEmpty", "", "", Press::Ok, "", "", false, false, 0, 0},
        {"LettersAreRemoved", "2x", "x2y4", Press::Ok, "2", "24", false, false, 2, 24},
        {"SignsAreRemoved", "-3", "+27", Press::Ok, "3", "27", false, false, 3, 27},
        {"ThreeDigitsAtMost", "12345", "24680", Press::Ok, "123", "246", false, false, 123, 246},
        {"QuitKeepsTheCounts", "3", "27", Press::Quit, "3", "27", false, false, 5, 40},
        {"CloseBoxKeepsTheCounts", "3", "27", Press::CloseBox, "3", "27", false, false, 5, 40},
    };
    TestGuiApp app;
    for (const MovementCase& c : cases) {
        SCOPED_TRACE(c.name);
        qint16 perRound = 5;
        qint16 total = 40;
        test::ScriptedMessageBox messages;
        frmMovement dialog(perRound, total, messages);
        dialog.show();
        dialog.txtBoardRound->setText(QString::fromUtf8(c.perRound));
        dialog.txtTotalBoard->setText(QString::fromUtf8(c.total));
        EXPECT_EQ(dialog.txtBoardRound->text().toStdString(), c.perRoundShown);
        EXPECT_EQ(dialog.txtTotalBoard->text().toStdString(), c.totalShown);
        switch (c.press) {
        case Press::Ok:
            dialog.cmdButton[0]->click();
            break;
        case Press::Quit:
            dialog.cmdButton[1]->click();
            break;
        case Press::CloseBox:
            dialog.close();
            break;
        }
        ASSERT_EQ(messages.shown.size(), c.warned ? 1U : 0U);
        if (c.warned) {
            EXPECT_EQ(messages.shown[0].text, frmMovement::multipleMessage);
            EXPECT_EQ(messages.shown[0].style, 48);
            EXPECT_EQ(messages.shown[0].helpTopic, 10);
            EXPECT_TRUE(messages.shown[0].caption.isEmpty());
        }
        EXPECT_EQ(dialog.isVisible(), c.staysOpen);
        EXPECT_EQ(perRound, c.boardsPerRound);
        EXPECT_EQ(total, c.totalBoards);
        // Hidden only: the next showing finds the same text.
        EXPECT_EQ(dialog.txtTotalBoard->text().toStdString(), c.totalShown);
    }
}

TEST(frmMovementTest, ModalShowingEndsWithOk) {
    TestGuiApp app;
    qint16 perRound = 0;
    qint16 total = 0;
    test::ScriptedMessageBox messages;
    frmMovement dialog(perRound, total, messages);
    whenShown([&] {
        dialog.txtBoardRound->setText(QStringLiteral("4"));
        dialog.txtTotalBoard->setText(QStringLiteral("28"));
        dialog.cmdButton[0]->click();
    });
    dialog.exec();
    EXPECT_EQ(perRound, 4);
    EXPECT_EQ(total, 28);
}

} // namespace
} // namespace qzc
