// Dealt cards, bids and played cards stored, and the deal of a board sent, end to end
// through the pseudo-terminal.

#include "DispatcherPtyFixture.h"
#include "support/DealFixtures.h"
#include "support/DispatchRig.h"
#include "support/QueryRows.h"

#include <QFile>

namespace qzc {
namespace {

using test::Exchange;
using test::to;
using test::wire::bytes;

constexpr quint16 kA1 = 0x0011;

/// The small event's movement (A1 plays boards 1-2 in round 1 and 3-4 in round 2) with a
/// terminal at A1, with or without the tables that record deals, auctions and play.
test::EventBuilder dealEvent(bool withTables) {
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addRound(test::RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(test::RoundRow{a, 1, 2, 1, 4, 0, 0, 3, 4});
    b.addRound(test::RoundRow{a, 2, 1, 3, 4, 0, 0, 3, 4});
    b.addRound(test::RoundRow{a, 2, 2, 3, 2, 0, 0, 1, 2});
    b.setStanza(a, 1, 2);
    b.addTerminal(kA1, 1, 1);
    if (!withTables) {
        for (const char* table : {"HandRecord", "BiddingData", "PlayData"})
            b.withoutTable(QString::fromLatin1(table));
    }
    return b;
}

/// The 13 card bytes of a whole suit (clubs 0 to spades 3), ace first, two last.
QByteArray wholeSuit(int suit) {
    QByteArray cards;
    for (const int rank : {1, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2})
        cards.append(static_cast<char>(4 * rank + suit));
    return cards;
}

class DispatcherDealTest : public test::DispatcherPtyTest {
protected:
    QString rows(const QString& sql) { return test::queryRows(data().harness.db, sql); }
    /// The board's sixteen holdings, north's spades first.
    QString handRecord(int board) {
        return rows(
            QStringLiteral(
                "SELECT Board, NorthSpades, NorthHearts, NorthDiamonds, NorthClubs, EastSpades, EastHearts, "
                "EastDiamonds, EastClubs, SouthSpades, SouthHearts, SouthDiamonds, SouthClubs, WestSpades, "
                "WestHearts, WestDiamonds, WestClubs FROM HandRecord WHERE Board=%1")
                .arg(board));
    }
};

TEST_F(DispatcherDealTest, DealtCardsAreStoredHandByHand) {
    test::EventBuilder b = dealEvent(true);
    start(b);
    const QByteArray full = bytes("50 01") + wholeSuit(3) + wholeSuit(2) + wholeSuit(1) + wholeSuit(0);
    const QByteArray noCards(13, '\x40');
    struct Step {
        const char* name;
        QByteArray request;
        const char* stored;
    };
    const Step steps[] = {
        {"four hands", full, "1|AKQJT98765432|||||AKQJT98765432|||||AKQJT98765432|||||AKQJT98765432"},
        {"30 bytes: north and east only", bytes("50 02") + wholeSuit(0) + wholeSuit(1) + bytes("07 0B"),
         "2||||AKQJT98765432|||AKQJT98765432|||||||||"},
        // No-card bytes (bit 6, rank 0, rank 14) are passed over, and a hand of no card at
        // all leaves the stored hand as it was.
        {"no-card bytes", bytes("50 02 07 40 36 00 3B") + QByteArray(8, '\x40') + noCards,
         "2|A|K|||||AKQJT98765432|||||||||"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        const Exchange e = send(kA1, s.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(kA1, "51 00")});
        EXPECT_EQ(handRecord(static_cast<quint8>(s.request.at(1))), QLatin1String(s.stored));
    }
}

TEST_F(DispatcherDealTest, BidsAndPlayedCardsAreStoredInTheirOrder) {
    test::EventBuilder b = dealEvent(true);
    start(b);
    struct Step {
        const char* name;
        const char* request;
        qint16 result;
        const char* reply;
    };
    const Step steps[] = {
        // West first: 1C, a double, a redouble and a pass.
        {"bids", "52 01 03 01 40 80 00", 0, "53 00"},
        {"the same bids again, their answer lost", "52 01 03 01 40 80 00", 0, "53 00"},
        {"no first seat", "52 01", 1002, nullptr},
        // Tricks led after south and after west.
        {"two tricks", "54 03 01 07 0B 37 0F 03 06 0A 36 0E", 0, "55 00"},
        {"a trick and a card, no-card byte passed over", "54 04 00 07 40 0B 0F 02 06", 0, "55 00"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        const Exchange e = send(kA1, s.request);
        EXPECT_EQ(e.result, s.result);
        EXPECT_EQ(e.frames, s.reply ? QList<QByteArray>{to(kA1, s.reply)} : QList<QByteArray>{});
    }
    // A call the database refuses is not acknowledged, so the terminal sends it again.
    ASSERT_TRUE(data().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON BiddingData "
                                           "WHEN NEW.Bid='XX' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    const Exchange refused = send(kA1, "52 02 00 01 80");
    EXPECT_EQ(refused.result, 0);
    EXPECT_TRUE(refused.frames.isEmpty());
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Section, [Table], Round, Board, Counter, Direction, Bid FROM BiddingData "
                            "ORDER BY Counter")),
        QStringLiteral("1|1|1|1|1|W|1C 1|1|1|1|2|N|X 1|1|1|1|3|E|XX 1|1|1|1|4|S|PASS"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Round, Board, Counter, Direction, Card FROM PlayData ORDER BY Board, "
                            "Counter")),
        QStringLiteral("2|3|1|S|SA 2|3|2|W|S2 2|3|3|N|SK 2|3|4|E|S3 2|3|5|N|HA 2|3|6|E|H2 2|3|7|S|HK "
                       "2|3|8|W|H3 2|4|1|E|SA 2|4|2|W|S2 2|4|3|N|S3 2|4|4|W|HA"));
}

// Records of a board the table does not play, or holding a byte that no card or call code
// uses, are never stored: the terminal is told to reload its movement, and the request is
// acknowledged so that it is not sent forever.
TEST_F(DispatcherDealTest, RecordsThatCannotBeStoredAreAcknowledgedWithAReload) {
    test::EventBuilder b = dealEvent(true);
    start(b);
    const std::pair<QByteArray, const char*> steps[] = {
        {bytes("50 00") + wholeSuit(3), "D1 00"},
        {bytes("52 00 00 01 00 00 00"), "D3 00"},
        {bytes("54 00 03 07 0B 37 0F"), "D5 00"},
        // A1 plays boards 1 to 4 only.
        {bytes("52 05 00 01 00 00 00"), "D3 00"},
        {bytes("54 07 03 07 0B 37 0F"), "D5 00"},
        // Bit 7 is in no card byte; no bid has strain 5 or 6, or both doubling bits.
        {bytes("50 01") + wholeSuit(3).left(12) + bytes("87"), "D1 00"},
        {bytes("52 01 00 01 28"), "D3 00"},
        {bytes("52 01 00 01 30"), "D3 00"},
        {bytes("52 01 00 01 C1"), "D3 00"},
        {bytes("54 03 01 07 0B 87 0F"), "D5 00"},
    };
    for (const auto& [request, reply] : steps) {
        SCOPED_TRACE(request.toHex(' ').toStdString());
        ASSERT_TRUE(data().exec(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=0")));
        const Exchange e = send(kA1, request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(kA1, reply)});
        EXPECT_TRUE(logged(QStringLiteral("sys-err1003 Invalid message format: A1: ") +
                           QString::fromLatin1(request.toHex(' ').toUpper()) + QStringLiteral(" (doMsg)")));
    }
    for (const char* table : {"HandRecord", "BiddingData", "PlayData"})
        EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)), QStringLiteral("0"))
            << table;
}

TEST_F(DispatcherDealTest, WithoutTheTablesTheRecordsAreOnlyAcknowledged) {
    test::EventBuilder b = dealEvent(false);
    start(b);
    const std::pair<QByteArray, const char*> steps[] = {
        {bytes("50 01") + wholeSuit(3), "51 00"},
        {bytes("52 01 03 01 40 80 00"), "53 00"},
        {bytes("54 03 01 07 0B 37 0F"), "55 00"},
    };
    for (const auto& [request, reply] : steps) {
        const Exchange e = send(kA1, request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(kA1, reply)});
    }
    EXPECT_EQ(countLogged(QStringLiteral("sys-err1101 Deal card input is not supported. (doMsg)")), 3);
    EXPECT_FALSE(logged(QStringLiteral("Save dealt card")));
}

TEST_F(DispatcherDealTest, TheDealOfABoardAsTheTerminalReceivesIt) {
    test::EventBuilder b = dealEvent(true);
    start(b);
    const QString path = data().harness.filePath(QStringLiteral("alldeal.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::allDealFileText());
    file.close();

    const QByteArray north(13, '\0');
    const QByteArray unknown = bytes("7F FF") + QByteArray(10, '\xFF');
    struct Step {
        const char* name;
        QString dealFile;
        const char* request;
        QByteArray reply;
    };
    const Step steps[] = {
        {"the deal", path, "56 05", bytes("57 05") + test::board5Holders()},
        {"with makeable contracts", path, "D8 05",
         bytes("59 05") + test::board5Holders() + test::board5NumberAndMakeable()},
        {"a board without a deal", path, "56 03", bytes("57 03") + north},
        {"no deal file", QString(), "58 05", bytes("59 05") + north + unknown},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        config().qzcPath = s.dealFile;
        const Exchange e = send(kA1, s.request);
        EXPECT_EQ(e.result, 0);
        EXPECT_EQ(e.frames, QList<QByteArray>{to(kA1, s.reply)});
    }
}

// Five pairs on 3 tables, 3 rounds of 2 boards: A3 sits out round 1 holding boards 1-2 and
// plays them in round 2; A2 plays round 1, sits out round 2 holding boards 3-4 and plays them
// in round 3. Bidding, play and result of a board are filed under the round in which the table
// plays it, whether or not a result of that round is stored already.
TEST(SitOutBoardsTest, BiddingPlayAndResultAreFiledUnderTheRoundThatPlaysTheBoard) {
    test::TestCoreApp app;
    test::DispatchRig rig;
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (const test::RoundRow& row :
         {test::RoundRow{a, 1, 1, 1, 2, 0, 0, 3, 4}, test::RoundRow{a, 2, 1, 4, 5, 0, 0, 5, 6},
          test::RoundRow{a, 3, 1, 3, 0, 0, 0, 1, 2}, test::RoundRow{a, 1, 2, 2, 3, 0, 0, 5, 6},
          test::RoundRow{a, 2, 2, 1, 0, 0, 0, 3, 4}, test::RoundRow{a, 3, 2, 5, 4, 0, 0, 1, 2},
          test::RoundRow{a, 1, 3, 2, 1, 0, 0, 1, 2}, test::RoundRow{a, 2, 3, 3, 5, 0, 0, 3, 4},
          test::RoundRow{a, 3, 3, 4, 0, 0, 0, 5, 6}})
        b.addRound(row);
    b.setStanza(a, 1, 3);
    for (int t = 1; t <= 3; ++t)
        b.addTerminal(t, a, t);
    ASSERT_TRUE(rig.start(b)) << rig.failure().toStdString();
    const struct {
        int table;
        const char* request;
    } steps[] = {
        // Round 1 at A1 and A2.
        {1, "34 03 1C 28 36 01 02"},
        {1, "34 04 1C 28 36 01 02"},
        {2, "34 05 1C 28 36 04 05"},
        {2, "34 06 1C 28 36 04 05"},
        // A3 in round 2, board 1: bidding and the first card before its result.
        {3, "52 01 00 0C 1C"},
        {3, "54 01 03 37"},
        {3, "34 01 1C 28 36 05 04"},
        // Board 2: the result first.
        {3, "34 02 1C 28 36 05 04"},
        {3, "52 02 00 0C 1C"},
        // A2, back from its sit-out, bids board 3.
        {2, "52 03 00 0C"},
    };
    for (const auto& step : steps)
        rig.request(static_cast<quint16>(step.table), test::wire::bytes(step.request));
    auto rows = [&rig](const char* table) {
        return test::queryRows(rig.data.harness.db,
                               QStringLiteral("SELECT DISTINCT [Table], Board, Round FROM %1 WHERE [Table]>1 "
                                              "ORDER BY [Table], Board")
                                   .arg(QLatin1String(table)));
    };
    EXPECT_EQ(rows("BiddingData"), QStringLiteral("2|3|3 3|1|2 3|2|2"));
    EXPECT_EQ(rows("PlayData"), QStringLiteral("3|1|2"));
    EXPECT_EQ(rows("ReceivedData"), QStringLiteral("2|5|1 2|6|1 3|1|2 3|2|2"));
}

// The pairs move and the boards stay: A1 plays boards 1-2 in round 1 (NS 1, EW 2) and in
// round 2 (NS 3, EW 4). A board's bids and cards, sent before or
// after its result, are filed under the round being played, each round counting from 1.
TEST(BoardsPlayedTwiceTest, BiddingAndPlayAreFiledUnderTheRoundBeingPlayed) {
    test::TestCoreApp app;
    test::DispatchRig rig;
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addRound(test::RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(test::RoundRow{a, 1, 2, 3, 4, 0, 0, 1, 2});
    b.setStanza(a, 1, 2);
    b.addTerminal(1, a, 1);
    ASSERT_TRUE(rig.start(b)) << rig.failure().toStdString();
    // Bids 1NT (21) in round 1 and 2NT (22) in round 2; cards SK (37) before a result, HA
    // (06) after it.
    for (const char* request : {// Round 1: board 1 before and after its result, board 2 before it.
                                "52 01 00 21", "54 01 03 37", "34 01 1C 28 36 01 02", "54 01 03 06",
                                "52 02 00 21", "54 02 03 37", "34 02 1C 28 36 01 02",
                                // Round 2: board 1 before and after its result, board 2 after it.
                                "52 01 00 22", "54 01 03 37", "34 01 1C 28 36 03 04", "54 01 03 06",
                                "34 02 1C 28 36 03 04", "52 02 00 22", "54 02 03 06"})
        rig.request(1, test::wire::bytes(request));
    auto rows = [&rig](const char* table, const char* value) {
        return test::queryRows(rig.data.harness.db,
                               QStringLiteral("SELECT Round, Board, Counter, %2 FROM %1 ORDER BY Round, "
                                              "Board, Counter")
                                   .arg(QLatin1String(table), QLatin1String(value)));
    };
    EXPECT_EQ(rows("BiddingData", "Bid"), QStringLiteral("1|1|1|1NT 1|2|1|1NT 2|1|1|2NT 2|2|1|2NT"));
    EXPECT_EQ(rows("PlayData", "Card"),
              QStringLiteral("1|1|1|SK 1|1|2|HA 1|2|1|SK 2|1|1|SK 2|1|2|HA 2|2|1|HA"));
}

// The same on three tables, each playing boards 2t-1 and 2t in both rounds. Round 1's second
// board is left without a result in three ways: erased at A1, deleted at A2, never sent at A3.
// Its bidding and play show it was played, so round 2's bids and cards of the first board,
// sent before their result, are filed under round 2 from Counter 1.
TEST(BoardsPlayedTwiceTest, ABoardPlayedWithoutAResultDoesNotHoldTheTableInItsRound) {
    test::TestCoreApp app;
    test::DispatchRig rig;
    test::EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 3; ++t) {
        b.addRound(test::RoundRow{a, t, 1, 2 * t - 1, 2 * t, 0, 0, 2 * t - 1, 2 * t});
        b.addRound(test::RoundRow{a, t, 2, 2 * t % 6 + 1, 2 * t % 6 + 2, 0, 0, 2 * t - 1, 2 * t});
        b.addTerminal(t, a, t);
    }
    b.setStanza(a, 1, 2);
    ASSERT_TRUE(rig.start(b)) << rig.failure().toStdString();
    // Round 1: 1NT (21) and SK (37) on both boards, then the results.
    for (int t = 1; t <= 3; ++t) {
        for (const int board : {2 * t - 1, 2 * t}) {
            rig.request(t, test::wire::bytes({0x52, board, 0x00, 0x21}));
            rig.request(t, test::wire::bytes({0x54, board, 0x03, 0x37}));
            if (t < 3 || board < 2 * t)
                rig.request(t, test::wire::bytes({0x34, board, 0x1C, 0x28, 0x36, 2 * t - 1, 2 * t}));
        }
    }
    ASSERT_TRUE(
        rig.data.exec(QStringLiteral("UPDATE ReceivedData SET Erased=-1 WHERE [Table]=1 AND Board=2")));
    ASSERT_TRUE(rig.data.exec(QStringLiteral("DELETE FROM ReceivedData WHERE [Table]=2 AND Board=4")));
    // Round 2: 2NT (22) and HA (06) on the first board.
    for (int t = 1; t <= 3; ++t) {
        rig.request(t, test::wire::bytes({0x52, 2 * t - 1, 0x00, 0x22}));
        rig.request(t, test::wire::bytes({0x54, 2 * t - 1, 0x03, 0x06}));
    }
    auto rows = [&rig](const char* table, const char* value) {
        return test::queryRows(
            rig.data.harness.db,
            QStringLiteral("SELECT [Table], Round, Board, Counter, %2 FROM %1 ORDER BY [Table], "
                           "Round, Board, Counter")
                .arg(QLatin1String(table), QLatin1String(value)));
    };
    EXPECT_EQ(rows("BiddingData", "Bid"), QStringLiteral("1|1|1|1|1NT 1|1|2|1|1NT 1|2|1|1|2NT "
                                                         "2|1|3|1|1NT 2|1|4|1|1NT 2|2|3|1|2NT "
                                                         "3|1|5|1|1NT 3|1|6|1|1NT 3|2|5|1|2NT"));
    EXPECT_EQ(rows("PlayData", "Card"), QStringLiteral("1|1|1|1|SK 1|1|2|1|SK 1|2|1|1|HA "
                                                       "2|1|3|1|SK 2|1|4|1|SK 2|2|3|1|HA "
                                                       "3|1|5|1|SK 3|1|6|1|SK 3|2|5|1|HA"));
}

} // namespace
} // namespace qzc
