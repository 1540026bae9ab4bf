#include "reports/WebPublishing.h"

#include "ResultFileEvents.h"
#include "core/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "reports/ResultFile.h"
#include "support/CaseNames.h"
#include "support/ScoringEvent.h"

#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ScoringEvent;

class RecordingMessageBox final : public MessageBox {
public:
    std::vector<Request> shown;

protected:
    bool show(const Request& request) override {
        shown.push_back(request);
        return true;
    }
    void showStandard(const QString&, const QString&, StandardIcon) override {}
};

class RecordingLauncher final : public ProgramLauncher {
public:
    bool fail = false;
    QString program;
    QStringList args;

    bool start(const QString& p, const QStringList& a, const QString&, QString* errorText) override {
        program = p;
        args = a;
        if (fail && errorText != nullptr)
            *errorText = QStringLiteral("Permission denied");
        return !fail;
    }
};

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
    RecordingMessageBox messages;
    RecordingLauncher launcher;
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
        EXPECT_EQ(launcher.program, upload);
        EXPECT_EQ(launcher.args, (QStringList{QStringLiteral("Event=Club"), QStringLiteral("Session=1"),
                                              QStringLiteral("ORV=") + QDir::toNativeSeparators(orv) +
                                                  QStringLiteral("events")}));
        EXPECT_TRUE(event.log.bufferedText().contains(QStringLiteral(": Call uploadresult")));
    } else {
        EXPECT_TRUE(launcher.program.isEmpty());
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
