#include "gamedata/PlayerNameCommands.h"

#include "core/TextFile.h"
#include "support/EventBuilder.h"
#include "support/FakeDesktopHost.h"
#include "support/FakeHelp.h"
#include "support/GameDataHarness.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class PlayerNameCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b;
        const int a = b.addSection(u"A"_s);
        b.addMitchellMovement(a, 3, 1, 2);
        b.addRegisteredPlayer(a, 1, u"N"_s, u"12"_s, u"Smith"_s, 1);
        b.addRegisteredPlayer(a, 1, u"S"_s, u"7"_s, u"O\"Neil; Pat"_s, 1);
        b.addRegisteredPlayer(a, 2, u"E"_s, u"305"_s, u"305"_s, 5);
        b.addPlayerName(12, u"Smith"_s);
        b.addPlayerName(40, u"Zed, Jr; \"Z\""_s);
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        names.loadPlayerNameList();
        names.loadRegisteredNames(true);
    }
    QByteArray written(const QString& name) const {
        return test::readFileBytes(h.event.scoreDbFolder + name);
    }

    test::GameDataHarness data;
    test::EventHarness& h = data.harness;
    PlayerNames names{h.db, h.log, h.event, h.config, h.clock};
    test::FakeShellOpener shell;
    test::FakeDesktopHost desktop;
    PlayerNameCommands commands{{h.db, h.log, h.clock, h.config, h.settings, h.event, data.gameData, names,
                                 shell, h.messages, desktop}};
};

// Golden files checked by hand: tabs between pair and PIN, CRLF, one empty line at the end.
TEST_F(PlayerNameCommandsTest, PinListAndNameListFiles) {
    data.setSetting(u"custom_qz_tdpin"_s, u"4321"_s);
    // Section A keeps its directions, so its NS rows are left out; section 99 has no letters,
    // so its labels are plain numbers and go last, in the order of their numbers.
    for (const char* row : {"1, 5, 'EW', '0042'", "1, 4, 'EW', '1234'", "1, 1, 'NS', '9999'",
                            "1, 6, 'EW', '12\"4'", "99, 7, 'NS', '0707'", "99, 2, 'EW', '0202'"})
        ASSERT_TRUE(data.exec(u"INSERT INTO custom_qz_PlayerPIN VALUES ("_s + QLatin1String(row) + u')'));

    ASSERT_TRUE(commands.mnu_pincodes_Click());
    QZC_EXPECT_GOLDEN(written(PlayerNameCommands::pinFileName), test::goldenPath(__FILE__, "pair_pin.txt"));
    // Sorted by name, a double quote made single.
    ASSERT_TRUE(commands.print_playername_file());
    QZC_EXPECT_GOLDEN(written(PlayerNameCommands::nameFileName),
                      test::goldenPath(__FILE__, "player_name.txt"));
    EXPECT_EQ(shell.opened, (QStringList{h.event.scoreDbFolder + PlayerNameCommands::pinFileName,
                                         h.event.scoreDbFolder + PlayerNameCommands::nameFileName}));

    // Neither a comma nor a semicolon or quote of a name splits its line of all_names.txt.
    ASSERT_TRUE(commands.labShowAllName_Click());
    EXPECT_EQ(written(PlayerNameCommands::allNamesFileName), "ID,Name\r\n12,Smith\r\n40,Zed  Jr  'Z'\r\n");
    EXPECT_EQ(PlayerNameCommands::allNamesText({}), u"ID,Name\r\n"_s);
    EXPECT_EQ(PlayerNameCommands::pairPinFileText(u"0000"_s, {}), u"Pair\tPIN\r\nTD\t0000\r\n\r\n"_s);
}

TEST_F(PlayerNameCommandsTest, ImportShowsItsCountOpensItsRejectsAndKeepsTheNames) {
    const QString picked = h.filePath(u"picked.csv"_s);
    QString error;
    ASSERT_TRUE(WriteTextFile(picked,
                              u"101,Anne \"Annie\" Lee\r\n102,Bob; Jr\r\n103,#\r\nabc,Nobody\r\n"
                              "104,Carl,Extra\r\n102,Duplicate\r\n12,Smith again\r\n"_s,
                              error));

    EXPECT_EQ(commands.importPlayerNames(picked), 2.0);

    EXPECT_EQ(desktop.gridMessage, u"Loading names......"_s);
    EXPECT_FALSE(desktop.gridMessageShown);
    ASSERT_EQ(h.messages.shown.size(), 1u);
    EXPECT_TRUE(h.messages.shown[0].standard);
    EXPECT_EQ(h.messages.shown[0].text, u"2 player names imported."_s);
    EXPECT_TRUE(data.logMessages().filter(u"2 player names imported."_s).size() == 1);
    // The rejected lines are opened for the director; the names are read again at the next start.
    const QString rejects = h.event.dumpFolder + PlayerNames::rejectsFileName;
    EXPECT_EQ(shell.opened, QStringList{rejects});
    EXPECT_EQ(test::readFileBytes(rejects),
              "103,#\r\nabc,Nobody\r\n104,Carl,Extra\r\n102,Duplicate\r\n12,Smith again\r\n");
    QZC_EXPECT_GOLDEN(test::readFileBytes(h.filePath(PlayerNames::namesFileName)),
                      test::goldenPath(__FILE__, "names.txt"));
}

} // namespace
} // namespace qzc
