// Game status, table logins, reloads and the gate, end to end through the pseudo-terminal.

#include "DispatcherPtyFixture.h"
#include "support/Fixtures.h"

namespace qzc {
namespace {

using test::Exchange;
using test::to;
using test::wire::bytes;

class DispatcherLoginTest : public test::DispatcherPtyTest {};

TEST_F(DispatcherLoginTest, GameStatusWithSectionsStateAndFirmware) {
    test::EventBuilder b = test::fixtures::twoSections();
    start(b, 0);
    struct Case {
        const char* name;
        qint16 mode;
        double maxVersion;
        double optVersion;
        const char* request;
        const char* reply;
        const char* noticeCaption; // "" for none
    };
    const Case cases[] = {
        {"stopped, two sections", 0, 0, 0, "0A 03 14", "0B 02 01 02", ""},
        {"running", 1, 0, 0, "0A 03 14", "0B 03 01 02", ""},
        {"paused", 2, 0, 0, "0A 03 14", "0B 02 01 02", ""},
        {"firmware 1.x gets the status alone", 1, 0, 0, "0A 01 63", "0B 04", "TQZ version too low"},
        {"below the minimum", 1, 0, 0, "0A 01 05", "0B 04", "TQZ version too low"},
        {"above the maximum", 1, 3.5, 0, "0A 04 0A", "0B 04 01 02", "TQZ version too high"},
        {"below the optimum", 1, 0, 3.3, "0A 03 14", "0B 03 01 02", "TQZ version not optimal"},
        {"without a version the stored one counts", 1, 0, 0, "0A", "0B 03 01 02", ""},
    };
    quint16 terminal = 0x0100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host().mode = c.mode;
        config().tqzMaxVersion = c.maxVersion;
        config().tqzOptVersion = c.optVersion;
        const std::size_t notices = host().notices.size();
        ++terminal;
        if (QByteArray(c.request).size() == 2) // no firmware in the request: register one first
            send(terminal, "0A 03 14");
        const Exchange e = send(terminal, c.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(terminal, c.reply)});
        if (QByteArray(c.noticeCaption).isEmpty()) {
            EXPECT_EQ(host().notices.size(), notices);
        } else {
            ASSERT_EQ(host().notices.size(), notices + 1);
            EXPECT_EQ(host().notices.back().caption, QLatin1String(c.noticeCaption));
        }
    }
    EXPECT_EQ(host().notices[0].text,
              QStringLiteral("Too old firmware detected in a tabletop\r\nRequired firmware: >= 2"));
    EXPECT_EQ(host().notices[2].text,
              QStringLiteral("The Talvane Control (QZC) version is too old. Do either of "
                             "this:\r\n     -Upgrade QZC\r\n     -Downgrade tabletops to <= 3.5"));
    EXPECT_EQ(host().notices[3].text, QStringLiteral("This version of QZC is intended for TQZ version 3.3"));
    EXPECT_TRUE(logged(QStringLiteral("Exceed permitted TQZ firmware version:2,0 (doMsg)")));
    EXPECT_TRUE(logged(QStringLiteral("Exceed permitted TQZ firmware version:2,3.5 (doMsg)")));
    EXPECT_TRUE(logged(QStringLiteral("Not at TQZ optimal firmware version:3.3 (doMsg)")));
    // Request 10 writes no "message from" line; it registers the terminal unbound.
    EXPECT_TRUE(log().filter(QStringLiteral("message from")).isEmpty());
    EXPECT_TRUE(logged(QStringLiteral("register TQZ 257 of v3.2")));
}

TEST_F(DispatcherLoginTest, FirmwareNoticesNeverHoldTheQueueAndComeOncePerTerminalAndVersion) {
    test::EventBuilder b = test::fixtures::mitchell();
    start(b);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(send(0x0042, "0A 01 05").frames, QList<QByteArray>{to(0x0042, "0B 04")});
    EXPECT_EQ(send(0x0043, "0A 01 05").frames, QList<QByteArray>{to(0x0043, "0B 04")});
    EXPECT_EQ(send(0x0042, "0A 01 06").frames, QList<QByteArray>{to(0x0042, "0B 04")});
    ASSERT_EQ(host().notices.size(), 3u);
    EXPECT_EQ(countLogged(QStringLiteral("Exceed permitted TQZ firmware version:2,0 (doMsg)")), 5);
    EXPECT_TRUE(data().harness.messages.shown.empty());
}

TEST_F(DispatcherLoginTest, GameStatusWithoutSectionsIsTheStatusAlone) {
    test::EventBuilder b = test::fixtures::mitchell();
    start(b);
    ASSERT_TRUE(data().exec(QStringLiteral("DELETE FROM Section")));
    EXPECT_EQ(send(0x0005, "0A 03 14").frames, QList<QByteArray>{to(0x0005, "0B 01")});
}

TEST_F(DispatcherLoginTest, LoginFullyWrittenOut) {
    test::EventBuilder b = test::smallEvent();
    start(b);
    send(0x0011, "0A 03 14");
    const QByteArray reply = bytes("15 11 03") + test::knownBlock(true) + test::smallEventA1Block();
    EXPECT_EQ(send(0x0011, "14 01 01").frames, QList<QByteArray>{to(0x0011, reply)});
    EXPECT_EQ(data().value(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE TQZ_ID=17")).toInt(), 1);
    EXPECT_EQ(data().value(QStringLiteral("SELECT LogOnOff FROM Tables WHERE [Table]=1")).toInt(), 1);
    EXPECT_EQ(host().tableStatusRefreshes, 1);
    // Logins do not lock; the first request of another kind does.
    EXPECT_EQ(data().value(QStringLiteral("SELECT Lock FROM custom_qz_TQZ WHERE TQZ_ID=17")).toInt(), 0);
    send(0x0011, "66");
    EXPECT_EQ(data().value(QStringLiteral("SELECT Lock FROM custom_qz_TQZ WHERE TQZ_ID=17")).toInt(), 1);
    // With one section the section byte of a login is not read.
    send(0x0012, "0A 03 14");
    EXPECT_EQ(send(0x0012, "14 07 02").frames.size(), 1);
    EXPECT_EQ(data().value(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE TQZ_ID=18")).toInt(), 2);
}

// Section A of the Mitchell fixture, stanza rounds 1 to 7: A1 has two of its results in,
// A2 one, A3 none.
TEST_F(DispatcherLoginTest, LoginStatuses) {
    test::EventBuilder b = test::fixtures::mitchell();
    b.setStanza(1, 1, 7);
    start(b);
    GameData& game = data().gameData;
    const auto loggedIn = [&](const char* table, int code = 0x15) {
        return bytes("00 11 03").replace(0, 1, QByteArray(1, static_cast<char>(code))) +
               test::knownBlock(true) + game.getMovementFromMemory(QLatin1String(table), 3, 20);
    };
    const auto status = [](int code, int value) {
        QByteArray reply = bytes("00 11 00 00 00 00 00");
        reply[0] = static_cast<char>(code);
        reply[2] = static_cast<char>(value);
        return reply;
    };
    struct Step {
        const char* name;
        quint16 terminal;
        const char* request;
        QByteArray reply;
    };
    const Step steps[] = {
        {"A3 is free", 0x0103, "14 01 03", loggedIn("A3")},
        {"a locking request", 0x0103, "66", {}},
        {"A3 is locked by its terminal", 0x0203, "14 01 03", status(0x15, 5)},
        {"request 24 is refused the same way", 0x0203, "18 01 03", status(0x19, 5)},
        {"request 100 takes the table over", 0x0203, "64 01 03 03 14", loggedIn("A3", 0x65)},
        {"A1 has started its stanza and not finished it", 0x0101, "14 01 01", status(0x15, 5)},
        {"request 100 takes it all the same", 0x0101, "64 01 01 03 14", loggedIn("A1", 0x65)},
        {"no table 9 in the section", 0x0109, "14 01 09", status(0x15, 9)},
        {"request 100 for it", 0x0109, "64 01 09 03 14", status(0x65, 9)},
        {"the terminal's own table again", 0x0203, "14 01 03", loggedIn("A3")},
        // Terminal ids are unsigned: 0x8004 is served like any other.
        {"a terminal id above 0x7FFF", 0x8004, "14 01 04", loggedIn("A4")},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (QByteArray(s.request).startsWith("14") || QByteArray(s.request).startsWith("18"))
            send(s.terminal, "0A 03 14");
        const Exchange e = send(s.terminal, s.request);
        EXPECT_EQ(e.result, 0);
        if (s.reply.isEmpty())
            continue;
        EXPECT_EQ(e.frames, QList<QByteArray>{to(s.terminal, s.reply)});
    }
    EXPECT_EQ(data().value(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE TQZ_ID=32772")).toInt(),
              4);

    // Request 100 needs firmware 2 or newer; the terminal stays registered with its version.
    const Exchange old = send(0x0110, "64 01 05 01 32");
    EXPECT_EQ(old.result, 0);
    EXPECT_TRUE(old.frames.isEmpty());
    EXPECT_TRUE(logged(QStringLiteral("Incompatible TQZ firmware version. (doMsg)")));
    EXPECT_EQ(
        data()
            .value(QStringLiteral("SELECT VersionMajor*100+VersionMinor FROM custom_qz_TQZ WHERE TQZ_ID=272"))
            .toInt(),
        150);
}

TEST_F(DispatcherLoginTest, LoginStatusesNothingToPlayAndDatabaseFailure) {
    test::EventBuilder b = test::smallEvent();
    // A1 has entered all four boards of the stanza.
    for (const auto& [round, board, ew] : {std::tuple{1, 1, 2}, {1, 2, 2}, {2, 3, 4}, {2, 4, 4}})
        b.addResult(test::ResultRow::played(1, 1, round, board, 1, ew, QStringLiteral("3NT"),
                                            QStringLiteral("N"), 9));
    start(b);
    send(0x0021, "0A 03 14");
    EXPECT_EQ(send(0x0021, "14 01 01").frames, QList<QByteArray>{to(0x0021, "15 11 00 00 00 00 00")});

    ASSERT_TRUE(data().exec(QStringLiteral("CREATE TRIGGER refuse_login BEFORE UPDATE OF LogOnOff ON Tables "
                                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    send(0x0022, "0A 03 14");
    EXPECT_EQ(send(0x0022, "14 01 02").frames, QList<QByteArray>{to(0x0022, "15 11 01 00 00 00 00")});
    EXPECT_EQ(send(0x0022, "64 01 02 03 14").frames, QList<QByteArray>{to(0x0022, "65 11 01 00 00 00 00")});
}

TEST_F(DispatcherLoginTest, BindingRefusedForOlderFirmwareWhileAnotherTerminalHoldsTheTable) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x31, 1, 2);
    start(b);
    // The bound terminal has not locked the table: firmware 3 may take it, firmware 2 not.
    send(0x0032, "0A 02 32");
    EXPECT_EQ(send(0x0032, "14 01 02").frames, QList<QByteArray>{to(0x0032, "15 11 05 00 00 00 00")});
    send(0x0033, "0A 03 14");
    EXPECT_EQ(send(0x0033, "14 01 02").frames.size(), 1);
    EXPECT_EQ(data().value(QStringLiteral("SELECT [Table] FROM custom_qz_TQZ WHERE TQZ_ID=51")).toInt(), 2);
}

TEST_F(DispatcherLoginTest, SectionWithoutRoundsInMemory) {
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 4; ++t)
        b.addTable(a, t);
    b.setStanza(a, 1, 4);
    b.setOwnSetting(QStringLiteral("custom_qz_roundboard"), 3);
    b.setOwnSetting(QStringLiteral("custom_qz_totalboard"), 12);
    start(b);
    send(0x0041, "0A 03 14");
    const Exchange e = send(0x0041, "14 01 02");
    ASSERT_EQ(e.frames.size(), 1);
    const QByteArray payload = e.frames[0].mid(5, static_cast<quint8>(e.frames[0][3]) - 1);
    EXPECT_EQ(static_cast<quint8>(e.frames[0][4]), 0x17);
    // Reply 23 has no piece header; its movement part is boards per round and total boards.
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0041, bytes("17") + payload)});
    ASSERT_EQ(payload.size(), 16);
    EXPECT_EQ(static_cast<quint8>(payload[0]), 3);
    EXPECT_EQ(payload.mid(4, 2), bytes("0C 22"));
    EXPECT_EQ(payload.right(2), bytes("03 0C"));
    // Counts that do not fit a byte are sent as 255 and logged.
    struct Counts {
        qint16 perRound;
        qint16 total;
        const char* sent;
        QStringList logged;
    };
    const Counts counts[] = {
        {3, 300, "03 FF", {QStringLiteral("A2: total boards 300 above 255, sent as 255 (doMsg)")}},
        {256,
         260,
         "FF FF",
         {QStringLiteral("A2: boards per round 256 above 255, sent as 255 (doMsg)"),
          QStringLiteral("A2: total boards 260 above 255, sent as 255 (doMsg)")}},
    };
    for (const Counts& c : counts) {
        data().harness.event.boardsPerRound = c.perRound;
        data().harness.event.totalBoards = c.total;
        const qsizetype before = log().size();
        const Exchange again = send(0x0041, "14 01 02");
        ASSERT_EQ(again.frames.size(), 1);
        EXPECT_EQ(again.frames[0].mid(again.frames[0].size() - 4, 2), bytes(c.sent));
        EXPECT_EQ(log().mid(before).filter(QStringLiteral("above 255")), c.logged);
    }
    host().mode = 0;
    EXPECT_EQ(send(0x0042, "18 01 03").frames, QList<QByteArray>{to(0x0042, "1B 00 00 00 00 00")});
}

TEST_F(DispatcherLoginTest, ReloadsAndAcknowledgements) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x51, 1, 1);
    b.addResult(test::ResultRow::played(1, 1, 1, 1, 1, 2, QStringLiteral("4S"), QStringLiteral("N"), 10));
    start(b);
    const QByteArray withResults = test::knownBlock(true, 64) + test::smallEventA1Block();
    EXPECT_EQ(send(0x0051, "6E").frames, QList<QByteArray>{to(0x0051, bytes("6F 11") + withResults)});
    EXPECT_EQ(host().tableStatusRefreshes, 1);
    // 114 from a section whose movement was not changed: the settings alone.
    EXPECT_EQ(send(0x0051, "72").frames,
              QList<QByteArray>{to(0x0051, bytes("73 11") + test::knownBlock(true))});
    ASSERT_TRUE(data().exec(QStringLiteral("UPDATE Section SET custom_qz_UFRmode=1")));
    EXPECT_EQ(send(0x0051, "72").frames, QList<QByteArray>{to(0x0051, bytes("6F 11") + withResults)});
    EXPECT_EQ(host().tableStatusRefreshes, 1);

    // A table marked for reload gets the flag on every reply until the terminal confirms.
    ASSERT_TRUE(data().exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=1")));
    EXPECT_EQ(send(0x0051, "6E").frames, QList<QByteArray>{to(0x0051, bytes("EF 11") + withResults)});
    const Exchange ack = send(0x0051, "70");
    EXPECT_TRUE(ack.frames.isEmpty());
    EXPECT_TRUE(logged(QStringLiteral("A1: updated movement data received (doMsg)")));
    EXPECT_FALSE(data().gameData.getLoadSetupTables(QStringLiteral("A1")));
    EXPECT_EQ(host().tableStatusRefreshes, 3);
    EXPECT_TRUE(send(0x0051, "0C").frames.isEmpty());
    EXPECT_TRUE(logged(QStringLiteral("A1: movement data received (doMsg)")));

    // Firmware below 2 takes the set-up at once, without confirming.
    ASSERT_TRUE(data().exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1 WHERE [Table]=1")));
    ASSERT_TRUE(data().exec(QStringLiteral("UPDATE custom_qz_TQZ SET VersionMajor=1 WHERE TQZ_ID=81")));
    EXPECT_EQ(send(0x0051, "6E").frames.size(), 1);
    EXPECT_FALSE(data().gameData.getLoadSetupTables(QStringLiteral("A1")));
}

TEST_F(DispatcherLoginTest, ChangedMovementIsFoundByTheSectionsLettersNotTheirNumber) {
    // Section B has ID 1, section A ID 2; only A's movement was changed.
    test::EventBuilder b;
    const int sb = b.addSection(QStringLiteral("B"));
    const int sa = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(sb, 3, 2, 2);
    b.addMitchellMovement(sa, 3, 2, 2);
    b.setStanza(sb, 1, 2, 0);
    b.setStanza(sa, 1, 2, 1);
    b.addTerminal(0x61, sa, 1);
    start(b);
    const Exchange e = send(0x0061, "72");
    ASSERT_EQ(e.frames.size(), 1);
    EXPECT_EQ(static_cast<quint8>(e.frames[0][4]), 0x6F);
}

TEST_F(DispatcherLoginTest, TheGateWhileTheGameIsStopped) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x71, 1, 1);
    start(b, 0);
    for (const char* request :
         {"14 01 01", "64 01 01 03 14", "34 01 1C 28 36 01 02", "66", "6E", "72", "70", "0C", "32"}) {
        SCOPED_TRACE(request);
        const Exchange e = send(0x0071, request);
        EXPECT_EQ(e.result, 0);
        EXPECT_TRUE(e.frames.isEmpty());
    }
    EXPECT_EQ(countLogged(QStringLiteral("Ignore message (doMsg)")), 9);
    EXPECT_EQ(countLogged(QStringLiteral("message from A1(113, v3)")), 9);
    EXPECT_EQ(data().value(QStringLiteral("SELECT COUNT(*) FROM ReceivedData")).toInt(), 0);
    // Request 24 is answered: nothing logged in while the game does not run.
    EXPECT_EQ(send(0x0071, "18 01 01").frames, QList<QByteArray>{to(0x0071, "19 11 00 00 00 00 00")});
    EXPECT_EQ(send(0x0071, "0A 03 14").frames, QList<QByteArray>{to(0x0071, "0B 00 01")});
}

TEST_F(DispatcherLoginTest, TerminalsWithoutTableShortRequestsAndUndefinedCodes) {
    test::EventBuilder b = test::smallEvent();
    b.addTerminal(0x81, 1, 1);
    start(b);
    struct Case {
        quint16 terminal;
        const char* request;
        qint16 result;
        const char* logLine;
    };
    const Case cases[] = {
        {0x0082, "34 01 1C 28 36 01 02", 1006,
         "sys-err1006 No table found login by the TQZ, all message request are ignored: 34 01 1C 28 36 01 02 "
         "(ProcessQueue - doMsg)"},
        {0x0082, "66", 1006, nullptr},
        {0x0081, "34 01 1C 28 36", 1002,
         "sys-err1002 Invalid message length: 34 01 1C 28 36 (ProcessQueue - doMsg)"},
        {0x0081, "4A 01 02 03 04 05 06 07", 1002, nullptr},
        {0x0081, "14 01", 1002, "sys-err1002 Invalid message length: 14 01 (ProcessQueue - doMsg)"},
        {0x0081, "64 01", 1002, nullptr},
        {0x0081, "32 01 02", 1001, "sys-err1001 Undefined request code: 32 01 02 (ProcessQueue - doMsg)"},
        {0x0081, "00", 1001, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.request);
        const Exchange e = send(c.terminal, c.request);
        EXPECT_EQ(e.result, c.result);
        EXPECT_TRUE(e.frames.isEmpty());
        if (c.logLine != nullptr) {
            EXPECT_TRUE(logged(QLatin1String(c.logLine)));
        }
    }
    EXPECT_EQ(data().value(QStringLiteral("SELECT COUNT(*) FROM ReceivedData")).toInt(), 0);
}

} // namespace
} // namespace qzc
