#include "dialogs/frmMsg.h"

#include "dialogs/HelpButton.h"
#include "dialogs/ProgramMessageBox.h"
#include "platform/Twips.h"
#include "support/FakeHelp.h"
#include "support/TestGuiApp.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::TestGuiApp;
using test::whenShown;

MessageBox::Request request(qint16 style, bool secondButton, qint16 helpTopic = -1,
                            const QString& text = QStringLiteral("Are you sure?")) {
    MessageBox::Request r;
    r.text = text;
    r.style = style;
    r.secondButton = secondButton;
    r.helpTopic = helpTopic;
    return r;
}

TEST(frmMsgTest, ButtonsImageAndFocusFollowTheStyle) {
    struct StyleCase {
        qint16 style;
        bool secondButton;
        const char* first;
        /// Empty: the second button is hidden.
        const char* second;
        /// 0 none, 1 question, 2 exclamation.
        int image;
        bool secondHasFocus;
    };
    const StyleCase cases[] = {
        {0, true, "OK", "Cancel", 0, false}, {2, true, "OK", "Cancel", 0, false},
        {1, false, "OK", "", 0, false},      {36, true, "Yes", "No", 1, false},
        {49, false, "OK", "", 2, false},     {48, false, "OK", "", 2, false},
        {52, true, "Yes", "No", 2, false},   {308, true, "Yes", "No", 2, true},
        {6, true, "Yes", "No", 0, false},    {5, true, "OK", "No", 0, false},
        {308, false, "Yes", "", 2, false},   {52, false, "Yes", "", 2, false},
    };
    TestGuiApp app;
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << (c.secondButton ? " two" : " one"));
        frmMsg box(nullptr);
        box.Form_Load();
        box.prepare(request(c.style, c.secondButton));
        EXPECT_EQ(box.cmdButton[0]->text().toStdString(), c.first);
        EXPECT_EQ(!box.cmdButton[1]->isHidden(), *c.second != '\0');
        if (*c.second != '\0') {
            EXPECT_EQ(box.cmdButton[1]->text().toStdString(), c.second);
        }
        EXPECT_EQ(!box.picStore[0]->isHidden(), c.image != 0);
        if (c.image != 0) {
            EXPECT_EQ(box.picStore[0]->pixmap().cacheKey(), box.picStore[c.image]->pixmap().cacheKey());
        }
        EXPECT_EQ(box.focusWidget(), c.secondHasFocus ? box.cmdButton[1] : box.cmdButton[0]);
        EXPECT_TRUE(box.cmdHelp->isHidden());
        EXPECT_EQ(box.windowTitle(), QStringLiteral("QZC"));
    }
}

TEST(frmMsgTest, LongTextWrapsAtTheWrapWidth) {
    TestGuiApp app;
    frmMsg shortBox(nullptr);
    shortBox.prepare(request(1, false, -1, QStringLiteral("  Saved.  ")));
    EXPECT_EQ(shortBox.labMsg->text(), QStringLiteral("Saved."));
    EXPECT_FALSE(shortBox.labMsg->wordWrap());
    EXPECT_GE(shortBox.width(), twipsToPixels(frmMsg::minimumWidthTwips, shortBox.logicalDpiX()));

    frmMsg longBox(nullptr);
    MessageBox::Request r =
        request(1, false, -1, QString(60, QLatin1Char('w')) + QStringLiteral(" and more words"));
    r.labelStyle = 2;
    r.caption = QStringLiteral("Report problem");
    longBox.prepare(r);
    EXPECT_TRUE(longBox.labMsg->wordWrap());
    EXPECT_EQ(longBox.labMsg->width(), twipsToPixels(frmMsg::wrapWidthTwips, longBox.logicalDpiX()));
    EXPECT_TRUE(longBox.labMsg->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(longBox.windowTitle(), QStringLiteral("Report problem"));
}

TEST(frmMsgTest, AnswersOfTheModalBox) {
    enum class Action { First, Second, CloseBox, Escape, Enter };
    struct AnswerCase {
        Action action;
        MessageBox::Request request;
        bool expected;
    };
    const AnswerCase cases[] = {
        {Action::First, request(52, true), true},
        {Action::Second, request(52, true), false},
        {Action::CloseBox, request(52, true), false},
        {Action::Escape, request(52, true), false},
        // A question shows No unasked; with style 308 No has the focus and Enter answers No.
        {Action::Enter, request(308, false), false},
    };
    TestGuiApp app;
    for (const auto& [action, asked, expected] : cases) {
        SCOPED_TRACE(static_cast<int>(action));
        ProgramMessageBox messages;
        bool visibleWhileAsked = false;
        whenShown([&, action = action] {
            frmMsg* box = messages.loadedBox();
            ASSERT_NE(box, nullptr);
            visibleWhileAsked = box->isVisible() && QApplication::activeModalWidget() == box;
            switch (action) {
            case Action::First:
                box->cmdButton[0]->click();
                break;
            case Action::Second:
                box->cmdButton[1]->click();
                break;
            case Action::CloseBox:
                box->close();
                break;
            case Action::Escape: {
                QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(box, &escape);
                break;
            }
            case Action::Enter: {
                EXPECT_EQ(box->focusWidget(), box->cmdButton[1]);
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box->focusWidget(), &enter);
                break;
            }
            }
        });
        EXPECT_EQ(messages.showMsg(asked), expected);
        EXPECT_TRUE(visibleWhileAsked);
        // The box is unloaded once answered.
        EXPECT_EQ(messages.loadedBox(), nullptr);
    }
}

TEST(frmMsgTest, EmptyTextShowsNothing) {
    TestGuiApp app;
    ProgramMessageBox messages;
    EXPECT_FALSE(messages.showMsg(request(52, true, 0, QString())));
    EXPECT_EQ(messages.loadedBox(), nullptr);
}

TEST(frmMsgTest, ABoxShownWithoutWaitingIsReplacedByTheNext) {
    TestGuiApp app;
    ProgramMessageBox messages;
    test::HelpRig rig;
    Help help(rig.config, rig.shell, rig.online, rig.log, messages);
    messages.attachHelp(help);
    MessageBox::Request r = request(1, false, 0, QStringLiteral("Please send the files"));
    r.modeless = true;
    EXPECT_FALSE(messages.showMsg(r));
    QPointer<frmMsg> first = messages.loadedBox();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());

    r.text = QStringLiteral("Second");
    messages.showMsg(r);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ASSERT_NE(messages.loadedBox(), nullptr);
    EXPECT_EQ(messages.loadedBox()->labMsg->text(), QStringLiteral("Second"));

    // Its Help on a page that cannot be opened says so in a box that replaces it.
    QPointer<frmMsg> second = messages.loadedBox();
    rig.shell.succeeds = false;
    QEventLoop running;
    whenShown([&] {
        whenShown([&] { messages.loadedBox()->cmdButton[0]->click(); });
        second->cmdHelp->click();
        running.quit();
    });
    running.exec();
    ASSERT_FALSE(second.isNull());
    EXPECT_FALSE(second->isVisible());
}

TEST(frmMsgTest, ALaterBoxDoesNotAnswerAWaitingOne) {
    TestGuiApp app;
    ProgramMessageBox messages;
    std::optional<bool> inner;
    bool outerStillShown = false;
    whenShown([&] {
        QPointer<frmMsg> outer = messages.loadedBox();
        whenShown([&] { messages.loadedBox()->cmdButton[0]->click(); });
        inner = messages.showMsg(request(1, false, -1, QStringLiteral("No response from base station.")));
        outerStillShown = !outer.isNull() && outer->isVisible();
        if (!outer.isNull())
            outer->cmdButton[1]->click();
    });
    EXPECT_FALSE(messages.showMsg(request(52, true)));
    ASSERT_TRUE(inner.has_value());
    EXPECT_TRUE(*inner);
    EXPECT_TRUE(outerStillShown);
}

TEST(frmMsgTest, HelpButtonAndF1OpenTheTopic) {
    TestGuiApp app;
    test::HelpRig rig;
    frmMsg box(&rig.help);
    box.prepare(request(1, false, 0));
    ASSERT_FALSE(box.cmdHelp->isHidden());
    box.cmdHelp->click();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&box, &f1);
    const QString index = rig.config.appFolder + QStringLiteral("Help/index.html");
    EXPECT_EQ(rig.shell.opened, (QStringList{index, index}));
    EXPECT_EQ(box.focusWidget(), box.cmdButton[0]);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    frmMsg question(&rig.help);
    question.prepare(request(308, true, 14));
    question.cmdHelp_Click();
    EXPECT_EQ(rig.shell.opened.last(),
              rig.config.appFolder + QStringLiteral("Help/html/movement_change.html"));
    EXPECT_EQ(question.focusWidget(), question.cmdButton[1]);
}

} // namespace
} // namespace qzc
