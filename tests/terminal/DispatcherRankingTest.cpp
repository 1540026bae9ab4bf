// What the terminals show the players, end to end through the pseudo-terminal: the ranking
// (56, reply 57), the score frequencies of a few boards (104, reply 105) and the personal
// recap (106, reply 107). Every expected byte is worked out by hand in the comments.

#include "DispatcherPtyFixture.h"
#include "support/Fixtures.h"
#include "support/TerminalReplies.h"

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::RoundRow;
using test::to;

// The terminal of table t of section s.
constexpr quint16 terminalOf(int section, int table) {
    return static_cast<quint16>(0x100 * section + table);
}

void bindTerminals(EventBuilder& b, int section, int tables) {
    for (int t = 1; t <= tables; ++t)
        b.addTerminal(terminalOf(section, t), section, t);
}

ResultRow played(int table, int round, int board, int ns, int ew, const char* contract, int tricks) {
    return ResultRow::played(1, table, round, board, ns, ew, QString::fromLatin1(contract),
                             QStringLiteral("N"), tricks);
}

// Round 1 on boards 1-2, NS 1-3 against EW 11-13 at tables 1-3; the pairs keep their
// direction. Board 1 (nobody vulnerable): 4S by N, 10 tricks (420); 3NT by N, 9 tricks
// (400); 3NT by N, 8 tricks (-50). Board 2 (NS vulnerable): 4S by N, 9 tricks (-100) at
// tables 1 and 2; 3NT by N, 9 tricks (600) at table 3.
// Matchpoints (top 4): board 1 scales 4, 2, 0; board 2 scales 1, 1, 4.
// Cross-IMPs: board 1 scales 11, 9, -20; board 2 scales -12, -12, 24.
EventBuilder threeTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 3; ++t)
        b.addRound(RoundRow{a, t, 1, t, 10 + t, 0, 0, 1, 2});
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 3);
    b.addResult(played(1, 1, 1, 1, 11, "4S", 10));
    b.addResult(played(2, 1, 1, 2, 12, "3NT", 9));
    b.addResult(played(3, 1, 1, 3, 13, "3NT", 8));
    b.addResult(played(1, 1, 2, 1, 11, "4S", 9));
    b.addResult(played(2, 1, 2, 2, 12, "4S", 9));
    b.addResult(played(3, 1, 2, 3, 13, "3NT", 9));
    return b;
}

// The same where the pairs change direction: in round 2 (boards 3-4) NS 11 meets EW 1 at
// table 1 and NS 12 meets EW 2 at table 2. One ranking.
EventBuilder threeTablesChangingDirection() {
    EventBuilder b = threeTables();
    b.addRound(RoundRow{1, 1, 2, 11, 1, 0, 0, 3, 4});
    b.addRound(RoundRow{1, 2, 2, 12, 2, 0, 0, 3, 4});
    return b;
}

// ... with round 2 played. Board 3 (EW vulnerable): 3NT by N, 9 tricks at table 1 (400), 10
// tricks at table 2 (430). Board 4: "NP" at table 1, an adjusted score at table 2. And an
// earlier entry of table 1 on board 2, erased.
EventBuilder secondRoundPlayed() {
    EventBuilder b = threeTablesChangingDirection();
    b.addResult(played(1, 2, 3, 11, 1, "3NT", 9));
    b.addResult(played(2, 2, 3, 12, 2, "3NT", 10));
    ResultRow notPlayed = played(1, 2, 4, 11, 1, "1C", 7);
    notPlayed.contract = QString();
    notPlayed.remarks = QStringLiteral("NP");
    notPlayed.qzDeclarer = QVariant();
    b.addResult(notPlayed);
    ResultRow adjusted = played(2, 2, 4, 12, 2, "1C", 7);
    adjusted.contract = QString();
    adjusted.remarks = QStringLiteral("60%-40%");
    b.addResult(adjusted);
    ResultRow erased = played(1, 1, 2, 1, 11, "7NT", 13);
    erased.erased = true;
    b.addResult(erased);
    return b;
}

// One board at seven tables, NS t against EW 20 + t scoring 800 - 100 t; pair 1 sits EW in
// round 2, so one ranking. Matchpoints (top 12): NS t has 14 - 2t, EW 20 + t has 2t - 2.
EventBuilder sevenTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 7; ++t) {
        b.addRound(RoundRow{a, t, 1, t, 20 + t, 0, 0, 1, 1});
        ResultRow row = played(t, 1, 1, t, 20 + t, "1NT", 7);
        row.score = 800 - 100 * t;
        b.addResult(row);
    }
    b.addRound(RoundRow{a, 1, 2, 21, 1, 0, 0, 2, 2});
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 1);
    return b;
}

// Round 1 at table 1: North 1, East 6, South 11, West 16 on board 1 with 1NT by S, 8 tricks
// (120); round 2 at table 2: North 2, East 8, South 14, West 20 with 4S by N, 9 tricks (-50).
EventBuilder individualGame() {
    EventBuilder b = test::fixtures::individual();
    b.setStanza(1, 1, 4);
    bindTerminals(b, 1, 1);
    ResultRow row = played(2, 2, 1, 2, 8, "4S", 9);
    row.south = 14;
    row.west = 20;
    b.addResult(row);
    return b;
}

// Pairs numbered in bands: A1 plays NS 1 - EW 101 (the terminals know them as 1 and 2) in
// round 1, A10 NS 10 - EW 109 (19 and 18) in round 2, B1 NS 201 - EW 301 (2 and 1) in round 1,
// all on board 1: 4S by N, 10 tricks (420) at A1; 4S by N, 9 tricks (-50) at A10; 6NT by N
// (990) at B1.
EventBuilder bandedEvent() {
    EventBuilder b = test::fixtures::bandedPairs();
    b.setStanza(1, 1, 3);
    b.setStanza(2, 1, 3);
    bindTerminals(b, 1, 2);
    b.addResult(played(1, 1, 1, 1, 101, "4S", 10));
    b.addResult(played(10, 2, 1, 10, 109, "4S", 9));
    b.addResult(ResultRow::played(2, 1, 1, 1, 201, 301, QStringLiteral("6NT"), QStringLiteral("N"), 12));
    return b;
}

// The small event without results, and with two results whose NS pair was never stored.
EventBuilder smallEvent() {
    EventBuilder b = test::smallEvent();
    bindTerminals(b, 1, 2);
    return b;
}
EventBuilder withoutNorthSouthPairs() {
    EventBuilder b = smallEvent();
    b.addResult(played(1, 1, 1, 0, 2, "4S", 10));
    b.addResult(played(2, 2, 1, 0, 4, "4S", 9));
    return b;
}

// Results without a movement (as a scoring program may store them) with EW pairs above 255:
// board 1 at table 1 (NS 1 - EW 250, 420) and table 2 (NS 2 - EW 258, -50).
EventBuilder pairsAbove255() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addTable(a, 1);
    b.addTable(a, 2);
    bindTerminals(b, a, 1);
    b.addResult(played(1, 1, 1, 1, 250, "4S", 10));
    b.addResult(played(2, 1, 1, 2, 258, "4S", 9));
    return b;
}

// Round 1 on boards 1-2: NS 1 - EW 2, NS 2 - EW 3 and NS 3 - EW 1 at tables 1-3, the contracts
// of threeTables: board 1 420, 400, -50; board 2 -100, -100, 600. Board 5: 131 results of 420
// (table 1's among them) and 128 of -50. Boards 254 and 256: a result of 100 each; board 255
// passed out (0). Table 1 plays none of boards 254 to 256. Section B has NS 1 and EW 2 too.
EventBuilder frequencyEvent() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 3; ++t)
        b.addRound(RoundRow{a, t, 1, t, t % 3 + 1, 0, 0, 1, 2});
    b.setStanza(a, 1, 1);
    bindTerminals(b, a, 3);
    b.addResult(played(1, 1, 1, 1, 2, "4S", 10));
    b.addResult(played(2, 1, 1, 2, 3, "3NT", 9));
    b.addResult(played(3, 1, 1, 3, 1, "3NT", 8));
    b.addResult(played(1, 1, 2, 1, 2, "4S", 9));
    b.addResult(played(2, 1, 2, 2, 3, "4S", 9));
    b.addResult(played(3, 1, 2, 3, 1, "3NT", 9));
    for (int t = 1; t <= 259; ++t) {
        ResultRow row = played(t, 1, 5, t, t % 3 + 1, "4S", 10);
        row.score = t <= 131 ? 420 : -50;
        b.addResult(row);
    }
    for (const int board : {254, 256}) {
        ResultRow row = played(4, 1, board, 4, 5, "1NT", 7);
        row.score = 100;
        b.addResult(row);
    }
    ResultRow passed = ResultRow::played(a, 5, 1, 255, 6, 7, QStringLiteral("PASS"), QString(), 0);
    passed.qzDeclarer = QVariant();
    b.addResult(passed);
    // Section B's NS 1 and EW 2 on board 2 in round 2: 3NT by N, 9 tricks (600).
    const int bb = b.addSection(QStringLiteral("B"));
    b.addTable(bb, 1);
    b.addResult(ResultRow::played(bb, 1, 2, 2, 1, 2, QStringLiteral("3NT"), QStringLiteral("N"), 9));
    return b;
}

struct ReplyCase;
void PrintTo(const ReplyCase& c, std::ostream* os);

struct ReplyCase {
    const char* name;
    EventBuilder (*event)();
    /// Settings over the known ones: "name=value" separated by blanks.
    const char* settings;
    quint16 terminal;
    const char* request;
    /// The data of the one reply frame: code, piece header, payload.
    const char* reply;
    /// A line the request logs; "" for no personal recap line at all; nullptr to check none.
    const char* logLine = nullptr;
};

void PrintTo(const ReplyCase& c, std::ostream* os) {
    *os << c.name;
}

class TerminalViewTest : public test::DispatcherPtyTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(TerminalViewTest, ReplyByteForByte) {
    const ReplyCase& c = GetParam();
    EventBuilder b = c.event();
    start(b);
    for (const QString& setting :
         QString::fromLatin1(c.settings).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList nameValue = setting.split(QLatin1Char('='));
        data().setSetting(nameValue.at(0), nameValue.at(1));
    }
    const test::Exchange e = send(c.terminal, c.request);
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.frames, QList<QByteArray>{to(c.terminal, c.reply)});
    if (c.logLine == nullptr)
        return;
    if (*c.logLine == '\0')
        EXPECT_TRUE(log().filter(QStringLiteral("Prepare personal recap")).isEmpty());
    else
        EXPECT_TRUE(logged(QString::fromLatin1(c.logLine))) << log().join(QLatin1Char('\n')).toStdString();
}

const ReplyCase rankingCases[] = {
    // NS 1: 4 + 1 of 8 = 62.5, sent as 62; NS 2: 37.5, sent as 38; NS 3: 50. EW 11: 38, EW 12:
    // 62, EW 13: 50. Three NS entries, then the EW ranking.
    {"twoWinnersMatchpoints", threeTables, "", terminalOf(1, 2), "38",
     "39 11 03 00 01 3E 00 03 32 00 02 26 00 0C 3E 00 0D 32 00 0B 26"},
    // Ranges -20..11 + -12..24 for NS and the mirror for EW, 67 wide: NS 3 (4 + 32) / 67 =
    // 53.7, NS 1 46.3, NS 2 43.3; EW 12 56.7, EW 11 53.7, EW 13 46.3.
    {"twoWinnersCrossImps", threeTables, "custom_qz_scoringtype=0", terminalOf(1, 2), "38",
     "39 11 03 00 03 36 00 01 2E 00 02 2B 00 0C 39 00 0B 36 00 0D 2E"},
    // One list, equal percentages in the order found: the NS column first.
    {"oneWinnerMatchpoints", threeTablesChangingDirection, "", terminalOf(1, 1), "38",
     "39 11 00 00 01 3E 00 0C 3E 00 03 32 00 0D 32 00 02 26 00 0B 26"},
    // Symmetric ranges -20..20 and -24..24: NS 3 (4 + 44) / 88 = 54.5, EW 12 53.4, EW 11
    // 51.1, NS 1 48.9, NS 2 46.6, EW 13 45.5.
    {"oneWinnerCrossImps", threeTablesChangingDirection, "custom_qz_scoringtype=0", terminalOf(1, 1), "38",
     "39 11 00 00 03 37 00 0C 35 00 0B 33 00 01 31 00 02 2F 00 0D 2D"},
    // 100, 83.3, 66.7, 50, 33.3, 16.7 and 0 for NS 1-7, the same for EW 27 down to 21.
    {"topNone", sevenTables, "custom_qz_topranking=0", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 1B 64 00 02 53 00 1A 53 00 03 43 00 19 43 00 04 32 00 18 32 00 05 21 00 17 21 "
     "00 06 11 00 16 11 00 07 00 00 15 00"},
    {"topTen", sevenTables, "custom_qz_topranking=10", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 1B 64 00 02 53 00 1A 53 00 03 43 00 19 43 00 04 32 00 18 32 00 05 21 00 17 21"},
    {"top99IsNoCut", sevenTables, "custom_qz_topranking=99", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 1B 64 00 02 53 00 1A 53 00 03 43 00 19 43 00 04 32 00 18 32 00 05 21 00 17 21 "
     "00 06 11 00 16 11 00 07 00 00 15 00"},
    // North 1, South 11, East 8 and West 20 scored the top; one list in the order found:
    // North, East, South, West.
    {"individualGame", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 08 64 00 0B 64 00 14 64 00 02 00 00 06 00 00 0E 00 00 10 00"},
    // NS 1 (1) and 10 (19), EW 109 (18) and 101 (2).
    {"bandedNumbering", bandedEvent, "", terminalOf(1, 1), "38",
     "39 11 02 00 01 64 00 13 00 00 12 64 00 02 00"},
    // Across the field board 1 has 990 (B), 420 and -50: NS 201 (2) 100, NS 1 50, NS 10 0; EW
    // 109 100, EW 101 50, EW 301 (1) 0; each entry with its section, A 1 and B 2.
    {"bandedAcrossTheField", bandedEvent, "custom_qz_scoreacrosspair=1", terminalOf(1, 1), "38",
     "39 11 03 02 02 64 01 01 32 01 13 00 01 12 64 01 02 32 02 01 00"},
    {"nobodyToRank", smallEvent, "", terminalOf(1, 1), "38", "39 11 00"},
    // No NS pair at all: the EW entries follow the count byte 0 at once.
    {"emptyNorthSouthList", withoutNorthSouthPairs, "", terminalOf(1, 1), "38", "39 11 00 00 04 64 00 02 00"},
    // EW 258 had the top but does not fit a byte: left out, the rest still sent.
    {"pairAbove255LeftOut", pairsAbove255, "", terminalOf(1, 1), "38", "39 11 02 00 01 64 00 02 00 00 FA 00",
     "Ranking data: pair 258 left out, its number 258 does not fit a byte (getRankingData)"},
};

INSTANTIATE_TEST_SUITE_P(Ranking, TerminalViewTest, ::testing::ValuesIn(rankingCases),
                         [](const auto& p) { return std::string(p.param.name); });

const ReplyCase frequencyCases[] = {
    // EW 3 sits at table 2 (NS 3 plays at table 3): its own scores are table 2's, 400 and
    // -100 (count 2), marked with 128.
    {"eastWestPairOfTwoWinners", frequencyEvent, "", terminalOf(1, 2), "68 03 01 01",
     "69 03 01 01 A4 01 01 01 90 81 01 80 32 01 02 02 58 01 02 80 64 82",
     "Get score frequency data for board 4"},
    // Downward from board 2: boards 2 and 1, board 0 ends the list.
    {"northSouthDownward", frequencyEvent, "", terminalOf(1, 1), "68 01 02 00",
     "69 01 02 02 58 01 02 80 64 82 01 01 A4 81 01 01 90 01 01 80 32 01"},
    // 131 results of 420 (the own one) and 128 of -50 are sent as 127: 127 + 128 and 127.
    {"countsHeldTo127", frequencyEvent, "", terminalOf(1, 1), "68 01 05 00",
     "69 01 05 01 A4 FF 05 80 32 7F 02 02 58 01 02 80 64 82"},
    // Upward from 254: boards 254 and 255 only; table 1 did not play them, so the passed-out
    // board's 0 is not marked.
    {"upToBoard255", frequencyEvent, "", terminalOf(1, 1), "68 01 FE 01", "69 01 FE 00 64 01 FF 00 00 01"},
    // Across the field board 2 has B's 600 too; A1's own score is A's NS 1's, not B's.
    {"acrossTheFieldOwnSection", frequencyEvent, "custom_qz_scoreacrosspair=1", terminalOf(1, 1),
     "68 01 02 00", "69 01 02 02 58 02 02 80 64 82 01 01 A4 81 01 01 90 01 01 80 32 01"},
    // The terminal knows EW 101 as 2: its own score 420 is marked, and 2 comes back.
    {"bandedEastWest", bandedEvent, "", terminalOf(1, 1), "68 02 01 00", "69 02 01 01 A4 81 01 80 32 01"},
};

INSTANTIATE_TEST_SUITE_P(Frequencies, TerminalViewTest, ::testing::ValuesIn(frequencyCases),
                         [](const auto& p) { return std::string(p.param.name); });

const ReplyCase recapCases[] = {
    // Pair 1 sits EW at table 1 in round 2. Board 1 NS 4/4, board 2 NS 1/4, board 3 EW (2 -
    // 0) / 2; board 4 not played; its erased entry on board 2 left out.
    {"matchpointsBothDirections", secondRoundPlayed, "", terminalOf(1, 1), "6A 00",
     "6B 11 01 1C 28 64 02 1C 24 19 03 23 24 64 04 38 00 00", "Prepare personal recap for E of pair 1"},
    // Symmetric ranges: board 1 (11 + 20) / 40 = 77.5, sent as 78; board 2 (-12 + 24) / 48;
    // board 3 EW (1 + 1) / 2.
    {"crossImpsBothDirections", secondRoundPlayed, "custom_qz_scoringtype=0", terminalOf(1, 1), "6A 00",
     "6B 11 01 1C 28 4E 02 1C 24 19 03 23 24 64 04 38 00 00", "Prepare personal recap for E of pair 1"},
    // Pair 12, NS at table 2 in round 2: boards 1 and 2 as EW (4 - 2) / 4 and (4 - 1) / 4,
    // board 3 as NS 2/2; its adjusted score on board 4 left out.
    {"northSouthSeat", secondRoundPlayed, "", terminalOf(1, 2), "6A 01",
     "6B 11 01 23 24 32 02 1C 24 4B 03 23 28 64", "Prepare personal recap for N of pair 12"},
    // Two winners in cross-IMPs: EW 12 on -20..11 is (11 - 9) / 31 = 6.5, sent as 6; on
    // -12..24 (24 + 12) / 36.
    {"twoWinnersEastWestImps", threeTables, "custom_qz_scoringtype=0", terminalOf(1, 2), "6A 02",
     "6B 11 01 23 24 06 02 1C 24 64", "Prepare personal recap for E of pair 12"},
    {"twoWinnersNorthSouth", threeTables, "", terminalOf(1, 2), "6A 04", "6B 11 01 23 24 32 02 1C 24 19",
     "Prepare personal recap for N of pair 2"},
    {"individualWest", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "6A 02", "6B 11 01 21 22 00",
     "Prepare personal recap for W of pair 16"},
    {"individualSouth", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "6A 04",
     "6B 11 01 21 22 64", "Prepare personal recap for S of pair 11"},
    {"individualNobody", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "6A 03", "6B 11 00",
     "Prepare personal recap for  of pair 0"},
    {"bandedEastWest", bandedEvent, "", terminalOf(1, 1), "6A 00", "6B 11 01 1C 28 00",
     "Prepare personal recap for E of pair 101"},
    {"nothingStoredYet", bandedEvent, "", terminalOf(1, 2), "6A 01", "6B 11 00",
     "Prepare personal recap for N of pair 0"},
    {"noSuchDirection", bandedEvent, "", terminalOf(1, 1), "6A 05", "6B 11 00", ""},
};

INSTANTIATE_TEST_SUITE_P(Recap, TerminalViewTest, ::testing::ValuesIn(recapCases),
                         [](const auto& p) { return std::string(p.param.name); });

class TerminalViewLimitTest : public test::DispatcherPtyTest {
protected:
    /// The whole reply to one request, its pieces put together.
    test::TerminalReply reply(quint16 terminal, const char* request) {
        test::ReplyAssembler assembler;
        const test::Exchange e = send(terminal, request);
        for (const QByteArray& frame : e.frames) {
            if (const std::optional<test::TerminalReply> whole = assembler.take(frame))
                return *whole;
        }
        ADD_FAILURE() << "no whole reply";
        return {};
    }
};

// Sections A, B and C, each with 100 results on board 1 (NS t against EW 100 + t), ranked
// across the field: 300 NS and 300 EW contestants.
TEST_F(TerminalViewLimitTest, RankingOfALargeFieldIsCutToWhatTheReplyHolds) {
    EventBuilder b;
    for (const char* letter : {"A", "B", "C"}) {
        const int s = b.addSection(QString::fromLatin1(letter));
        for (int t = 1; t <= 100; ++t) {
            b.addTable(s, t);
            ResultRow row =
                ResultRow::played(s, t, 1, 1, t, 100 + t, QStringLiteral("1NT"), QStringLiteral("N"), 7);
            row.score = 10 * t;
            b.addResult(row);
        }
    }
    b.addTerminal(terminalOf(1, 1), 1, 1);
    start(b);
    data().setSetting(QStringLiteral("custom_qz_scoreacrosspair"), QStringLiteral("1"));
    const test::TerminalReply r = reply(terminalOf(1, 1), "38");
    EXPECT_EQ(r.code, 57);
    // The count byte, 255 NS entries and 240 EW entries.
    ASSERT_EQ(r.payload.size(), 1 + 3 * 495);
    EXPECT_EQ(static_cast<quint8>(r.payload[0]), 255);
    // The EW ranking starts with the best EW pairs: EW 101 of each section.
    EXPECT_EQ(r.payload.mid(1 + 3 * 255, 6), test::wire::bytes("01 65 64 02 65 64"));
    EXPECT_TRUE(logged(
        QStringLiteral("Ranking data cut at 255 contestants: the reply holds no more (getRankingData)")));
    EXPECT_TRUE(logged(
        QStringLiteral("Ranking data cut at 240 contestants: the reply holds no more (getRankingData)")));
}

// Table 1's NS pair 1 has boards 1 to 200 in rounds 1 and 2 (400 results); table 2's NS pair
// 4 has boards 1 and 300.
TEST_F(TerminalViewLimitTest, RecapIsCutToWhatTheReplyHoldsAndBoardsAbove255LeftOut) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addRound(RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 1, 2, 1, 3, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 2, 1, 4, 5, 0, 0, 1, 1});
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 2);
    for (int board = 1; board <= 200; ++board) {
        b.addResult(played(1, 1, board, 1, 2, "1NT", 7));
        b.addResult(played(1, 2, board, 1, 3, "1NT", 7));
    }
    b.addResult(played(2, 1, 1, 4, 5, "1NT", 7));
    b.addResult(played(2, 1, 300, 4, 5, "1NT", 7));
    start(b);

    // Every board's results are equal: 50 each.
    QByteArray expected;
    for (int i = 0; i < 375; ++i)
        expected += QByteArray(1, static_cast<char>(1 + i / 2)) + test::wire::bytes("21 1C 32");
    const test::TerminalReply cut = reply(terminalOf(1, 1), "6A 01");
    EXPECT_EQ(cut.code, 107);
    EXPECT_EQ(cut.payload.toHex(' '), expected.toHex(' '));
    EXPECT_TRUE(logged(QStringLiteral("Personal recap of A1, pair 1 cut at 375 boards: the reply holds no "
                                      "more (Database - DB_personalRecap)")));

    EXPECT_EQ(reply(terminalOf(1, 2), "6A 01").payload, test::wire::bytes("01 21 1C 32"));
    EXPECT_TRUE(logged(QStringLiteral("Personal recap of A2, pair 4: board 300 left out, it does not fit a "
                                      "byte (Database - DB_personalRecap)")));
}

} // namespace
} // namespace qzc
