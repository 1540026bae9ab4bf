#include "reports/WebPublishing.h"

#include "ResultFileEvents.h"
#include "core/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "reports/ResultFile.h"
#include "support/CaseNames.h"
#include "support/FakePlatform.h"
#include "support/ScoringEvent.h"
#include "support/ScriptedMessageBox.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ScoringEvent;

struct PublishingCase {
    const char* name;
    std::function<EventBuilder()> event;
    bool fileWritten;
    bool uploadProgram;
    bool launchFails;
    bool started;
    const char* message;
};

class WebPublishingCommand : public testing::TestWithParam<PublishingCase> {};

TEST_P(WebPublishingCommand, WritesTheFileThenStartsTheUploadProgram) {
    const PublishingCase& c = GetParam();
    ScoringEvent event;
    EventBuilder builder = c.event();
    ASSERT_TRUE(event.open(builder)) << event.error().toStdString();
    const QString orv = event.folder.path() + QStringLiteral("orv/");
    const QString upload = WebPublishing::uploadProgramPath(orv);
    if (c.uploadProgram) {
        ASSERT_TRUE(QDir().mkpath(orv + QStringLiteral("uploadresults")));
        QFile program(upload);
        ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    }
    ResultFile file(event.db, event.settings, event.log, event.boards);
    test::ScriptedMessageBox messages;
    messages.transactions.watch(event.db);
    messages.unscriptedAnswer = true;
    test::RecordingLauncher launcher;
    launcher.fail = c.launchFails;
    WebPublishing publishing(file, event.log, messages, launcher);

    const WebPublishingPaths paths{event.folder.path(), orv, orv + QStringLiteral("events/"),
                                   QStringLiteral("Club")};
    EXPECT_EQ(publishing.mnu_makeresultfile_Click(paths, event.gameData()), c.started);

    if (c.message == nullptr) {
        EXPECT_TRUE(messages.shown.empty());
    } else {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text.toStdString(), c.message);
        EXPECT_EQ(messages.shown[0].style, 49);
        EXPECT_EQ(messages.shown[0].helpTopic, 21);
    }
    EXPECT_EQ(QFile::exists(event.folder.filePath(QStringLiteral("results.txt"))), c.fileWritten);
    if (c.uploadProgram) {
        EXPECT_EQ(launcher.started, QStringList{upload});
        EXPECT_EQ(launcher.lastArgs, (QStringList{QStringLiteral("Event=Club"), QStringLiteral("Session=1"),
                                                  QStringLiteral("ORV=") + QDir::toNativeSeparators(orv) +
                                                      QStringLiteral("events")}));
        EXPECT_TRUE(event.log.bufferedText().contains(QStringLiteral(": Call uploadresult")));
    } else {
        EXPECT_TRUE(launcher.started.isEmpty());
    }
    EXPECT_EQ(event.log.bufferedText().contains(QStringLiteral("Permission denied (makeresultfile)")),
              c.launchFails);
}

EventBuilder emptyEvent() {
    EventBuilder b;
    b.addSection(QStringLiteral("A"));
    return b;
}

// Printed by its name, not as a dump of its bytes.
void PrintTo(const PublishingCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    WebPublishing, WebPublishingCommand,
    testing::Values(PublishingCase{"started", test::events::twoWinners, true, true, false, true, nullptr},
                    PublishingCase{"noUploadProgram", test::events::twoWinners, true, false, false, false,
                                   "Upload result program not found."},
                    PublishingCase{"startFails", test::events::twoWinners, true, true, true, false,
                                   "Failed to upload result.\r\nPermission denied"},
                    PublishingCase{"nothingToPublish", emptyEvent, false, false, false, false,
                                   "Failed to make result file.\r\nNo board result is stored yet."}),
    test::CaseName());

} // namespace
} // namespace qzc
