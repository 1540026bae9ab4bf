// The game settings command against what the terminals get and what is stored.
#include "LoadedWindow.h"
#include "core/ResultEntry.h"
#include "core/ScoreDb.h"
#include "dialogs/frmSettings.h"
#include "gamedata/PairPins.h"
#include "session/GameSession.h"
#include "support/GoldenFile.h"
#include "terminal/GameSettingsBlock.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

class GameSettingsCommandTest : public test::LoadedWindow {
protected:
    void SetUp() override {
        for (const auto& [key, value] :
             {std::pair{"ScoringType", "2"}, {"AskPIN", "1"}, {"TDPIN", "2468"}, {"AskDeal", "1"}})
            rig.writeDefault(QLatin1String(key), QLatin1String(value));
        LoadedWindow::SetUp();
    }
    // The settings row changed (by another program), then the game settings command.
    frmSettings* openOn(const QString& row = {}) {
        if (!row.isEmpty()) {
            EXPECT_TRUE(rig.program->db().execSQL(u"UPDATE custom_qz_Settings SET "_s + row, u"test"_s));
        }
        window().findChild<QAction*>(u"mnu_game_settings"_s)->trigger();
        return window().settingsDialog();
    }
    // The game settings command: the box clicked, then Save.
    void saveWith(const char* box) {
        frmSettings* dialog = openOn();
        dialog->findChild<QAbstractButton*>(QLatin1String(box))->click();
        dialog->findChild<QAbstractButton*>(u"OKButton"_s)->click();
    }
    // The settings part of the block a terminal logging in at A1 gets.
    QByteArray sent() {
        return getGameSettingsData(u"A1"_s, rig.program->settings(), false, {}, rig.program->log()).left(6);
    }
    bool listsTheSentPin() {
        window().findChild<QAction*>(u"mnu_pincodes"_s)->trigger();
        const QString pin = QString::asprintf("TD\t%02d%02d\r\n", sent()[3], sent()[4]);
        return test::readFileBytes(rig.program->event().scoreDbFolder + u"pair_pin.txt"_s)
            .contains(pin.toLatin1());
    }
    static bool ticked(frmSettings* dialog, const char* name) {
        return dialog->findChild<QAbstractButton*>(QLatin1String(name))->isChecked();
    }
    qint32 count(const QString& where) {
        qint32 n = -1;
        rig.program->db().getDBValue(u"SELECT COUNT(*) AS n FROM "_s + where, u"n"_s, n);
        return n;
    }
};

// Access writes -1 for a switch that is on; input method 3 has no option and no code; a TD
// PIN of five digits is none. The terminals, the dialog and the PIN list agree on them.
TEST_F(GameSettingsCommandTest, OddSettingsRowIsSentShownAndListedAlike) {
    frmSettings* dialog = openOn(u"custom_qz_askpincode=-1,custom_qz_asklead=-1,custom_qz_inputmethod=3,"
                                 "custom_qz_tdpin='12345'"_s);
    EXPECT_EQ(sent()[0] & (4 | 16), 4 | 16);
    EXPECT_TRUE(ticked(dialog, "chkAsk_0") && ticked(dialog, "chkAsk_2"));
    EXPECT_EQ(sent()[2] & 3, 1); // "+/-/="
    EXPECT_TRUE(ticked(dialog, "optInput_0"));
    EXPECT_EQ(dialog->findChild<QLineEdit*>(u"txtTDPIN"_s)->text(), u"4381"_s);
    EXPECT_TRUE(listsTheSentPin());
    // A row never saved keeps its empty TD PIN; the terminals get the default one.
    openOn(u"custom_qz_tdpin=''"_s);
    EXPECT_TRUE(listsTheSentPin());
}

// A row never saved: the dialog proposes the defaults, but only Save puts them in force.
TEST_F(GameSettingsCommandTest, DefaultsOfANeverSavedRowReachTheTablesOnlyBySave) {
    frmSettings* dialog = openOn(u"custom_qz_tdpin='',custom_qz_scoringtype=0,custom_qz_askpincode=0"_s);
    EXPECT_TRUE(ticked(dialog, "optScoring_2") && ticked(dialog, "chkAsk_0"));
    dialog->findChild<QAbstractButton*>(u"CancelButton"_s)->click();
    // Still the row's: no PIN asked, IMP, TD PIN 4381.
    EXPECT_EQ(sent()[0] & 4, 0);
    EXPECT_EQ(sent()[1] & 32, 32);
    EXPECT_EQ(sent().mid(3), QByteArray("\x2b\x51\x00", 3));

    openOn()->findChild<QAbstractButton*>(u"OKButton"_s)->click();
    EXPECT_EQ(sent().mid(3), QByteArray("\x18\x44\x00", 3));
    EXPECT_EQ(count(u"custom_qz_Settings WHERE custom_qz_scoringtype=2 AND custom_qz_askpincode=1 AND "
                    "custom_qz_tdpin='2468'"_s),
              1);
    EXPECT_EQ(count(u"[Tables] WHERE custom_qz_loadsetup=1"_s), count(u"[Tables]"_s));
}

class WithoutHandRecordTest : public GameSettingsCommandTest {
protected:
    test::EventBuilder event() const override {
        test::EventBuilder builder = test::fixtures::mitchell();
        builder.withoutTable(u"HandRecord"_s);
        return builder;
    }
};

// A new event whose dialog is hidden stores the defaults at its start; the deals they ask
// for cannot be recorded. The tables get the same settings from the start on, whether or
// not the director opens the dialog, and after a restart.
TEST_F(WithoutHandRecordTest, SettingsInForceFromTheStartAreTheStoredOnes) {
    const QByteArray atStart = sent();
    EXPECT_EQ(atStart[0] & 32, 0);
    openOn()->findChild<QAbstractButton*>(u"CancelButton"_s)->click();
    EXPECT_EQ(sent(), atStart);
    rig.program.reset();
    ASSERT_TRUE(rig.make().start());
    EXPECT_EQ(sent(), atStart);
}

// Seven players on 2 tables, 2 rounds of 2 boards, the eighth a phantom (0): A2 sits out
// round 1. The event starts as a pairs game.
class IndividualWithPhantomTest : public GameSettingsCommandTest {
protected:
    test::EventBuilder event() const override {
        test::EventBuilder b;
        const int a = b.addSection(u"A"_s);
        for (const test::RoundRow& row : {test::RoundRow{a, 1, 1, 1, 2, 3, 4, 1, 2},
                                          {a, 2, 1, 5, 6, 7, 0, 3, 4},
                                          {a, 1, 2, 5, 6, 7, 0, 3, 4},
                                          {a, 2, 2, 1, 2, 3, 4, 1, 2}})
            b.addRound(row);
        b.setStanza(a, 1, 2);
        return b;
    }
};

// Settings saved before any table logs in shape the movement the tables are given: boards in
// matrix form, then the individual game, in which a row with an empty seat plays no board.
TEST_F(IndividualWithPhantomTest, SettingsSavedBeforeTheFirstLoginShapeEveryRowAndBlock) {
    GameData& data = rig.program->gameData();
    // The share code of A1's first round: no other table plays its boards.
    const auto shareCode = [&data] {
        return data.getMovementFromMemory(u"A1"_s, 3, 20).at(5) & 0x3F;
    };
    ASSERT_EQ(shareCode(), 0);
    saveWith("chkShowBoardMatrix");
    EXPECT_EQ(shareCode(), 62);

    saveWith("chkGameType");
    const QByteArray block = data.getMovementFromMemory(u"A2"_s, 3, 20);
    EXPECT_EQ(block.size(), 2 + 10 * 2);
    EXPECT_EQ(block.mid(2, 4), QByteArray("\x05\x06\x07\x00", 4));
    EXPECT_EQ(block[1], 0); // no deal to enter in the round it sits out
    const ResultEntry played{{}, 3, u"3NT"_s, u"N"_s, 9, {}, -1, 0};
    EXPECT_TRUE(data.markResult(u"A2"_s, played, 1, 5, 6, 7, 0).refused());
    EXPECT_EQ(count(u"ReceivedData"_s), 0);
}

// A Mitchell of 3 tables, 3 rounds of 2 boards, NS and EW both numbered 1-3 (EW moving up a
// table), started as an individual game.
class MitchellStartedAsIndividualTest : public GameSettingsCommandTest {
protected:
    void SetUp() override {
        rig.writeDefault(u"GameType"_s, u"1"_s);
        GameSettingsCommandTest::SetUp();
    }
    test::EventBuilder event() const override {
        test::EventBuilder b;
        const int a = b.addSection(u"A"_s);
        b.addMitchellMovement(a, 3, 3, 2, test::PairNumbering{1, 1});
        b.addResult(test::ResultRow::played(a, 1, 1, 1, 1, 1, u"3NT"_s, u"N"_s, 9));
        return b;
    }
    // NS and EW of A numbered apart in what the tables and the published results get. A1, round
    // 1: NS 1 and EW 1 on board 1; NS 1 stays, EW 1 goes to table 2, EW seat (0x80).
    void expectPairsNumberedApart() {
        EXPECT_EQ(rig.program->gameData().getMovementFromMemory(u"A1"_s, 3, 20).mid(2, 6),
                  QByteArray("\x01\x01\x01\x80\x01\x02", 6));
        expectPublishedApart();
    }
    // results.txt lists an unnamed pair as N and S or as E and W: one N or E line a pair.
    void expectPublishedApart() {
        window().findChild<QAction*>(u"mnu_makeresultfile"_s)->trigger();
        const QString published =
            QString::fromLatin1(test::readFileBytes(rig.program->event().eventDataPath + u"results.txt"_s));
        EXPECT_EQ(published.count(QRegularExpression(u"^A;\\d;[NE];"_s, QRegularExpression::MultilineOption)),
                  6);
    }
};

// A pairs movement is played by pairs under either game type: NS and EW are numbered apart, as a
// load would number them, for the blocks and the published results. In an individual game's
// blocks of four seats South and West go with North and East: at A1, round 1, North stays
// (North), East goes to table 2 (East), South to table 1 (South), West to table 2 (West).
TEST_F(MitchellStartedAsIndividualTest, SavedGameTypeNumbersNsAndEwAsALoadWould) {
    GameData& data = rig.program->gameData();
    const QByteArray fourSeats("\x01\x01\x00\x00\x01\xe4\x01\x02\x01\x02", 10);
    ASSERT_TRUE(data.mem_GetSectionField(1));
    EXPECT_EQ(data.getMovementFromMemory(u"A1"_s, 3, 20).mid(2, 10), fourSeats);
    expectPublishedApart();
    saveWith("chkGameType");
    EXPECT_TRUE(data.mem_GetSectionField(1));
    expectPairsNumberedApart();

    saveWith("chkGameType");
    EXPECT_TRUE(data.mem_GetSectionField(1));
    EXPECT_EQ(data.getMovementFromMemory(u"A1"_s, 3, 20).mid(2, 10), fourSeats);
}

// Beside it, section B: an individual movement of 2 tables, 2 rounds of 2 boards (players 1-8),
// the players of B1 named by the scoring program.
class MitchellAndIndividualMovementTest : public MitchellStartedAsIndividualTest {
protected:
    test::EventBuilder event() const override {
        test::EventBuilder b = MitchellStartedAsIndividualTest::event();
        const int bs = b.addSection(u"B"_s);
        for (const test::RoundRow& row : {test::RoundRow{bs, 1, 1, 1, 2, 3, 4, 1, 2},
                                          {bs, 2, 1, 5, 6, 7, 8, 3, 4},
                                          {bs, 1, 2, 5, 6, 7, 8, 3, 4},
                                          {bs, 2, 2, 1, 2, 3, 4, 1, 2}})
            b.addRound(row);
        for (const char* seat : {"N", "E", "S", "W"})
            b.addPlayerNumber(bs, 1, QLatin1String(seat), u"1%1"_s.arg(QLatin1String(seat)));
        return b;
    }
    // The pair numbers of B1's seats, as "E2 N1 S3 W4".
    QString seatPairs() {
        QString pairs;
        rig.program->db().getDBValue(u"SELECT group_concat(Direction || custom_qz_pair, ' ') AS p FROM "
                                     "(SELECT * FROM PlayerNumbers WHERE Section=2 ORDER BY Direction)"_s,
                                     u"p"_s, pairs);
        return pairs;
    }
};

// Pairs saved while RoundData cannot be read (another program holds it): B's numbering, the
// blocks and the published pairs follow by the next analysis; A's PINs are stored and read back
// as the tables are told at once, NS and EW apart. A Save with nothing failing puts the seats'
// pair numbers in force at once: in an individual game B1's South and West play as themselves,
// in a pairs game as the pair of their line.
TEST_F(MitchellAndIndividualMovementTest, ASavedGameTypeIsInForceAtOnceOrByTheNextAnalysis) {
    GameData& data = rig.program->gameData();
    ScoreDb& db = rig.program->db();
    PairPins pins(db, rig.program->log(), data, rig.program->event());
    ASSERT_EQ(seatPairs(), u"E2 N1 S3 W4"_s);
    ASSERT_TRUE(db.execSQL(u"ALTER TABLE RoundData RENAME TO RoundDataHeld"_s, u"test"_s));
    saveWith("chkGameType");
    ASSERT_TRUE(db.execSQL(u"ALTER TABLE RoundDataHeld RENAME TO RoundData"_s, u"test"_s));
    EXPECT_FALSE(data.mem_GetSectionField(2));
    ASSERT_TRUE(pins.markPairPIN(u"A1"_s, {1, 1, 1234, 5678}));
    EXPECT_EQ(count(u"custom_qz_PlayerPIN WHERE Section=1 AND Pair=1"_s), 2);
    // Meanwhile every table loads its set-up; the blocks built for the new numbering are loaded again.
    ASSERT_TRUE(db.execSQL(u"UPDATE Tables SET custom_qz_loadsetup=0"_s, u"test"_s));
    for (int tick = 0; tick < GameSession::analyzeEveryTicks; ++tick)
        rig.program->session().timerAnalyzeGameDB_Timer();

    EXPECT_TRUE(data.mem_GetSectionField(1));
    EXPECT_TRUE(data.mem_GetSectionField(2));
    expectPairsNumberedApart();
    EXPECT_EQ(pins.getSectionPINData(u"A"_s), QByteArray("\x01\x38\x4e", 3));
    EXPECT_EQ(count(u"[Tables] WHERE custom_qz_loadsetup=1"_s), count(u"[Tables]"_s));
    EXPECT_EQ(seatPairs(), u"E2 N1 S1 W2"_s);

    saveWith("chkGameType");
    EXPECT_EQ(seatPairs(), u"E2 N1 S3 W4"_s);
    saveWith("chkGameType");
    EXPECT_EQ(seatPairs(), u"E2 N1 S1 W2"_s);
}

} // namespace
} // namespace qzc
