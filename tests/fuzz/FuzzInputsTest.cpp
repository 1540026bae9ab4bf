// The seed corpus and the kept regression inputs of the fuzz targets, run through the same
// harness in the test build: each seed still reaches what it was made for, and no input
// that once broke the program breaks it again.

#include "harness/RadioRig.h"
#include "harness/SeedCorpus.h"
#include "harness/TextParsers.h"
#include "harness/TextRig.h"
#include "support/TestCoreApp.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace qzc {
namespace {

std::vector<fuzz::Seed> regressionInputs(const char* target) {
    std::vector<fuzz::Seed> inputs;
    const QDir folder(QStringLiteral(QZC_FUZZ_REGRESSIONS "/") + QLatin1String(target));
    for (const QString& name : folder.entryList(QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            inputs.push_back({name, file.readAll()});
    }
    return inputs;
}

/// The end of the program's log, to show why a request went unanswered.
std::string lastLogLines(fuzz::RadioRig& rig) {
    const QStringList lines = rig.data().logMessages();
    return lines.mid(std::max<qsizetype>(0, lines.size() - 15)).join(QLatin1Char('\n')).toStdString();
}

std::string joined(const QStringList& problems) {
    return problems.join(QLatin1Char('\n')).toStdString();
}

TEST(FuzzInputsTest, RadioSeedsGetTheirRepliesAndRegressionsPass) {
    test::TestCoreApp app;
    fuzz::RadioRig rig;
    ASSERT_TRUE(rig.start()) << rig.failure().toStdString();
    // The reply code of the last frame sent for the seeds whose requests the program
    // answers; 0 where the request is answered by no frame.
    const std::map<std::string, int> replies = {
        {"010-game-status", 0x0B},
        {"010-game-status-while-stopped", 0x0B},
        {"012-movement-received", 0},
        {"020-table-login", 0x15},
        {"024-table-login-while-stopped", 0x19},
        {"100-replacing-table-login", 0x65},
        {"110-reload-settings", 0x6F},
        {"112-updated-movement-received", 0},
        {"114-reload-changed-movement", 0x73},
        {"052-board-result-traveller", 0x33},
        {"052-board-result-frequencies", 0x35},
        {"052-board-result-no-feedback", 0x37},
        {"054-board-result-four-players", 0x33},
        {"072-board-result-list", 0x49},
        {"074-board-result-list-four-players", 0x4B},
        {"102-stored-board-results", 0x67},
        {"108-stored-board-results-four-players", 0x6D},
        {"030-pair-pins", 0x1F},
        {"032-player-pins", 0x21},
        {"040-player-ids", 0x29},
        {"060-round-names", 0x3D},
        {"080-dealt-cards", 0x51},
        {"082-bids", 0x53},
        {"084-played-cards", 0x55},
        {"086-deal", 0x57},
        {"088-deal-with-makeable-contracts", 0x59},
        {"bs-knock-ack", 0},
    };
    std::size_t checked = 0;
    for (const fuzz::Seed& seed : fuzz::radioSeeds(rig)) {
        SCOPED_TRACE(seed.name.toStdString());
        const QStringList problems = rig.run(seed.bytes);
        EXPECT_TRUE(problems.isEmpty()) << joined(problems);
        const auto expected = replies.find(seed.name.toStdString());
        if (expected == replies.end())
            continue;
        ++checked;
        if (expected->second == 0) {
            EXPECT_TRUE(rig.sentFrames().isEmpty());
        } else {
            ASSERT_FALSE(rig.sentFrames().isEmpty()) << lastLogLines(rig);
            EXPECT_EQ(static_cast<quint8>(rig.sentFrames().back()[4]) & 0x7F, expected->second);
        }
    }
    EXPECT_EQ(checked, replies.size());
    for (const fuzz::Seed& input : regressionInputs("radio")) {
        SCOPED_TRACE(input.name.toStdString());
        EXPECT_EQ(rig.run(input.bytes), QStringList());
    }
    EXPECT_EQ(rig.checkDatabase(), QStringList());
}

// A row that no request could have written is reported by the first input after it,
// whatever that input is, and once more by the check at the end of a run.
TEST(FuzzInputsTest, ARowNoRequestCouldWriteIsReported) {
    test::TestCoreApp app;
    fuzz::RadioRig rig;
    ASSERT_TRUE(rig.start()) << rig.failure().toStdString();
    ASSERT_TRUE(rig.data().exec(QStringLiteral("INSERT INTO ReceivedData (Section, [Table], Round, Board, "
                                               "PairNS, PairEW) VALUES (1, 1, 1, 0, 1, 7)")));
    const QStringList problems = rig.run(QByteArray(1, '\0'));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QLatin1String("result of board 0:"))) << problems[0].toStdString();
    EXPECT_EQ(rig.run(QByteArray(1, '\0')), QStringList());
    EXPECT_EQ(rig.checkDatabase().size(), 1);
}

TEST(FuzzInputsTest, EveryTextParserHasSeedsAndRegressionsPass) {
    test::TestCoreApp app;
    fuzz::TextRig rig;
    ASSERT_TRUE(rig.start()) << rig.failure().toStdString();
    std::map<QByteArray, int> seedsOfParser;
    for (const fuzz::Seed& seed : fuzz::textSeeds()) {
        SCOPED_TRACE(seed.name.toStdString());
        ++seedsOfParser[seed.bytes.left(seed.bytes.indexOf('\n'))];
        EXPECT_EQ(rig.run(seed.bytes), QStringList());
    }
    for (const fuzz::TextParser& parser : fuzz::textParsers())
        EXPECT_GT(seedsOfParser[QByteArray(parser.name)], 0) << parser.name;
    EXPECT_EQ(seedsOfParser.size(), fuzz::textParsers().size());
    for (const fuzz::Seed& input : regressionInputs("text")) {
        SCOPED_TRACE(input.name.toStdString());
        EXPECT_EQ(rig.run(input.bytes), QStringList());
    }
}

} // namespace
} // namespace qzc
