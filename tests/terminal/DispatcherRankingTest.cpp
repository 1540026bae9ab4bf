// What the terminals show the players, end to end through the pseudo-terminal: the ranking
// (56, reply 57), the score frequencies of a few boards (104, reply 105) and the personal
// recap (106, reply 107). Every expected byte was worked out by hand (see the comments).

#include "DispatcherPtyFixture.h"
#include "support/Fixtures.h"
#include "support/TerminalReplies.h"

#include <initializer_list>
#include <utility>

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::RoundRow;
using test::to;

constexpr quint16 terminalOf(int section, int table) {
    return static_cast<quint16>(0x100 * section + table);
}

void bindTerminals(EventBuilder& b, int section, int tables) {
    for (int t = 1; t <= tables; ++t)
        b.addTerminal(terminalOf(section, t), section, t);
}

ResultRow played(int table, int round, int board, int ns, int ew, const char* contract, int tricks,
                 int section = 1) {
    return ResultRow::played(section, table, round, board, ns, ew, QString::fromLatin1(contract),
                             QStringLiteral("N"), tricks);
}

ResultRow withRemark(ResultRow row, const char* remark) {
    row.contract = QString();
    row.qzDeclarer = QVariant();
    row.remarks = QString::fromLatin1(remark);
    return row;
}

// Round 1 on boards 1-2, NS 1-3 against EW 11-13 at tables 1-3 (two winners). Board 1
// (nobody vulnerable): 4S by N, 10 tricks (420); 3NT by N, 9 tricks (400); 3NT by N, 8
// tricks (-50). Board 2 (NS vulnerable): 4S by N, 9 tricks (-100) at tables 1 and 2; 3NT by
// N, 9 tricks (600). Matchpoints (top 4): scales 4, 2, 0 and 1, 1, 4. Cross-IMPs: 11, 9,
// -20 and -12, -12, 24.
// From rounds 2 on (boards 3-4) NS 11 meets EW 1 at table 1 and NS 12 EW 2 at table 2 (one
// winner). Round 3 adds their results: board 3 (EW vulnerable) 3NT by N, 9 tricks (400) at
// table 1 and 10 tricks (430) at table 2; board 4 "NP" at table 1 and an adjusted score at
// table 2; and an erased earlier entry of table 1 on board 2.
EventBuilder threeTables(int rounds) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 3; ++t)
        b.addRound(RoundRow{a, t, 1, t, 10 + t, 0, 0, 1, 2});
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 3);
    for (const ResultRow& r : {played(1, 1, 1, 1, 11, "4S", 10), played(2, 1, 1, 2, 12, "3NT", 9),
                               played(3, 1, 1, 3, 13, "3NT", 8), played(1, 1, 2, 1, 11, "4S", 9),
                               played(2, 1, 2, 2, 12, "4S", 9), played(3, 1, 2, 3, 13, "3NT", 9)})
        b.addResult(r);
    if (rounds >= 2) {
        b.addRound(RoundRow{a, 1, 2, 11, 1, 0, 0, 3, 4});
        b.addRound(RoundRow{a, 2, 2, 12, 2, 0, 0, 3, 4});
    }
    if (rounds >= 3) {
        b.addResult(played(1, 2, 3, 11, 1, "3NT", 9));
        b.addResult(played(2, 2, 3, 12, 2, "3NT", 10));
        b.addResult(withRemark(played(1, 2, 4, 11, 1, "1C", 7), "NP"));
        b.addResult(withRemark(played(2, 2, 4, 12, 2, "1C", 7), "60%-40%"));
        ResultRow erased = played(1, 1, 2, 1, 11, "7NT", 13);
        erased.erased = true;
        b.addResult(erased);
    }
    return b;
}
EventBuilder twoWinners() {
    return threeTables(1);
}
EventBuilder oneWinner() {
    return threeTables(2);
}
EventBuilder secondRoundPlayed() {
    return threeTables(3);
}

// A three-table Mitchell numbering its EW pairs 1-3 too. Board 1: NS 1 - EW 1 4S by N, 10
// tricks (420) in round 1; NS 3 3NT by N, 9 tricks (400) and NS 2 8 tricks (-50) later.
EventBuilder mitchellSameNumbers() {
    EventBuilder b;
    b.addMitchellMovement(b.addSection(QStringLiteral("A")), 3, 3, 1, test::PairNumbering{1, 1});
    bindTerminals(b, 1, 1);
    for (const ResultRow& r :
         {played(1, 1, 1, 1, 1, "4S", 10), played(3, 2, 1, 3, 2, "3NT", 9), played(2, 3, 1, 2, 3, "3NT", 8)})
        b.addResult(r);
    return b;
}

// One board at seven tables, NS t against EW 20 + t with 1NT by N making 14 - t tricks (300 -
// 30 t); pair 1 sits EW in round 2 (one winner). Matchpoints (top 12): NS t has 14 - 2t, EW 20 +
// t has 2t - 2.
EventBuilder sevenTables() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (int t = 1; t <= 7; ++t) {
        b.addRound(RoundRow{a, t, 1, t, 20 + t, 0, 0, 1, 1});
        b.addResult(played(t, 1, 1, t, 20 + t, "1NT", 14 - t));
    }
    b.addRound(RoundRow{a, 1, 2, 21, 1, 0, 0, 2, 2});
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 1);
    return b;
}

// Board 1: North 1, East 6, South 11, West 16 at table 1 in round 1 with 1NT by S, 8 tricks
// (120); North 2, East 8, South 14, West 20 at table 2 in round 2 with 4S by N, 9 tricks (-50).
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

// Banded pair numbers, board 1: A1 NS 1 - EW 101 (the terminals know them as 1 and 2) 4S by
// N, 10 tricks (420) in round 1; A10 NS 10 - EW 109 (19 and 18) 4S by N, 9 tricks (-50) in
// round 2; B1 NS 201 - EW 301 (2 and 1) 6NT by N (990), B's only result.
EventBuilder bandedEvent() {
    EventBuilder b = test::fixtures::bandedPairs();
    b.setStanza(1, 1, 3);
    b.setStanza(2, 1, 3);
    bindTerminals(b, 1, 2);
    bindTerminals(b, 2, 1);
    b.addResult(played(1, 1, 1, 1, 101, "4S", 10));
    b.addResult(played(10, 2, 1, 10, 109, "4S", 9));
    b.addResult(played(1, 1, 1, 201, 301, "6NT", 12, 2));
    return b;
}

// Results without a movement, as a scoring program may store them, without their NS pair and
// with EW pairs above 255: board 1 at table 1 (EW 250, 420) and table 2 (EW 258, -50).
EventBuilder withoutNorthSouthPairs() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addTable(a, 1);
    b.addTable(a, 2);
    bindTerminals(b, a, 1);
    b.addResult(played(1, 1, 1, 0, 250, "4S", 10));
    b.addResult(played(2, 1, 1, 0, 258, "4S", 9));
    return b;
}

// The two winners with, on board 5 (NS vulnerable), 131 results of 4S by N making 10 tricks
// (620, table 1's among them) and 128 of 9 tricks (-100); on board 254 (nobody vulnerable) 1NT
// by E two down and on board 256 (EW vulnerable) one down, 100 each; board 255 passed out; and
// section B's NS 1 - EW 2 on board 2 in round 2 with 3NT by N, 9 tricks (600).
EventBuilder frequencyEvent() {
    EventBuilder b = twoWinners();
    for (int t = 1; t <= 259; ++t)
        b.addResult(played(t, 1, 5, t, 10 + t, "4S", t <= 131 ? 10 : 9));
    for (const auto& [board, tricks] : {std::pair{254, 5}, std::pair{256, 6}})
        b.addResult(
            ResultRow::played(1, 4, 1, board, 4, 5, QStringLiteral("1NT"), QStringLiteral("E"), tricks));
    b.addResult(played(5, 1, 255, 6, 7, "PASS", 0));
    b.addTable(b.addSection(QStringLiteral("B")), 1);
    b.addResult(played(1, 2, 2, 1, 2, "3NT", 9, 2));
    return b;
}

// A Mitchell of five tables, five rounds of two boards: A's NS 1-5 meet the EW pairs from
// firstEw (banded: B's NS 201-205 meet EW 301-305). A4 has board 4 of round 4 (NS 4 - first
// EW, 2S by E, -110); A2 boards 5 and 6 of round 2 (1NT by E one down, 50 and 100), then board 3
// (1NT by E one down, 100) and, late, board 4 (3NT by N, 600) of round 1 (NS 2 - second EW).
EventBuilder lateEntry(int firstEw) {
    EventBuilder b;
    b.addMitchellMovement(b.addSection(QStringLiteral("A")), 5, 5, 2, test::PairNumbering{1, firstEw});
    if (firstEw == 101)
        b.addMitchellMovement(b.addSection(QStringLiteral("B")), 5, 5, 2, test::PairNumbering{201, 301});
    bindTerminals(b, 1, 2);
    struct Entry {
        int table; // and NS pair
        int round;
        int board;
        int ew; // the EW pair's place from firstEw
        const char* contract;
        const char* declarer;
        int tricks;
    };
    for (const Entry& e :
         {Entry{4, 4, 4, 0, "2S", "E", 8}, Entry{2, 2, 5, 0, "1NT", "E", 6}, Entry{2, 2, 6, 0, "1NT", "E", 6},
          Entry{2, 1, 3, 1, "1NT", "E", 6}, Entry{2, 1, 4, 1, "3NT", "N", 9}})
        b.addResult(ResultRow::played(1, e.table, e.round, e.board, e.table, firstEw + e.ew,
                                      QString::fromLatin1(e.contract), QString::fromLatin1(e.declarer),
                                      e.tricks));
    return b;
}

struct ReplyCase {
    const char* name;
    EventBuilder (*event)();
    /// Settings over the known ones, as "name=value" separated by blanks.
    const char* settings;
    quint16 terminal;
    const char* request;
    /// The data of the one reply frame: code, piece header, payload.
    const char* reply;
    /// A line the request logs, or nullptr.
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
    for (const QString& s : QString::fromLatin1(c.settings).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        data().setSetting(s.section(QLatin1Char('='), 0, 0), s.section(QLatin1Char('='), 1));
    const test::Exchange e = send(c.terminal, c.request);
    EXPECT_EQ(e.result, 0);
    EXPECT_EQ(e.frames, QList<QByteArray>{to(c.terminal, c.reply)});
    if (c.logLine != nullptr) {
        EXPECT_TRUE(logged(QString::fromLatin1(c.logLine))) << log().join(QLatin1Char('\n')).toStdString();
    }
}

// Seven tables, no cut: 100, 83.3, 66.7, 50, 33.3, 16.7 and 0 for NS 1-7 and for EW 27 down
// to 21, each NS pair before the EW pair of its percentage.
constexpr const char* sevenTablesRanked =
    "39 11 00 00 01 64 00 1B 64 00 02 53 00 1A 53 00 03 43 00 19 43 00 04 "
    "32 00 18 32 00 05 21 00 17 21 00 06 11 00 16 11 00 07 00 00 15 00";

const ReplyCase rankingCases[] = {
    // NS 1 5 of 8 = 62.5, sent as 62; NS 2 37.5, sent as 38; NS 3 50; EW 11 38, EW 12 62,
    // EW 13 50. The count of NS entries, then the NS and the EW ranking.
    {"twoWinnersMatchpoints", twoWinners, "", terminalOf(1, 2), "38",
     "39 11 03 00 01 3E 00 03 32 00 02 26 00 0C 3E 00 0D 32 00 0B 26"},
    // Ranges -32..35 for NS and -35..32 for EW: NS 3 36/67, NS 1 31/67, NS 2 29/67; EW 12
    // 38/67, EW 11 36/67, EW 13 31/67.
    {"twoWinnersCrossImps", twoWinners, "custom_qz_scoringtype=0", terminalOf(1, 2), "38",
     "39 11 03 00 03 36 00 01 2E 00 02 2B 00 0C 39 00 0B 36 00 0D 2E"},
    // One list on the symmetric range -44..44: NS 3 48/88, EW 12 47/88, EW 11 45/88, NS 1
    // 43/88, NS 2 41/88, EW 13 40/88.
    {"oneWinnerCrossImps", oneWinner, "custom_qz_scoringtype=0", terminalOf(1, 1), "38",
     "39 11 00 00 03 37 00 0C 35 00 0B 33 00 01 31 00 02 2F 00 0D 2D"},
    {"topNone", sevenTables, "custom_qz_topranking=0", terminalOf(1, 1), "38", sevenTablesRanked},
    {"topTen", sevenTables, "custom_qz_topranking=10", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 1B 64 00 02 53 00 1A 53 00 03 43 00 19 43 00 04 32 00 18 32 00 05 21 00 17 21"},
    {"top99IsNoCut", sevenTables, "custom_qz_topranking=99", terminalOf(1, 1), "38", sevenTablesRanked},
    // North 1, East 8, South 11 and West 20 have the top; one list in the order found: North,
    // East, South, West.
    {"individualGame", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "38",
     "39 11 00 00 01 64 00 08 64 00 0B 64 00 14 64 00 02 00 00 06 00 00 0E 00 00 10 00"},
    {"bandedNumbering", bandedEvent, "", terminalOf(1, 1), "38",
     "39 11 02 00 01 64 00 13 00 00 12 64 00 02 00"},
    // Across the field board 1 has 990, 420 and -50: NS 201 100, NS 1 50, NS 10 0; EW 109
    // 100, EW 101 50, EW 301 0; each entry with its section, A 1 and B 2.
    {"bandedAcrossTheField", bandedEvent, "custom_qz_scoreacrosspair=1", terminalOf(1, 1), "38",
     "39 11 03 02 02 64 01 01 32 01 13 00 01 12 64 01 02 32 02 01 00"},
    // B's only board was played once: nobody to rank.
    {"nobodyToRank", bandedEvent, "", terminalOf(2, 1), "38", "39 11 00"},
    // No NS pair: the EW entries follow the count byte 0 at once. EW 258 had the top but does
    // not fit a byte: left out, EW 250 still sent.
    {"emptyNorthSouthListAndPairAbove255", withoutNorthSouthPairs, "", terminalOf(1, 1), "38",
     "39 11 00 00 FA 00",
     "Ranking data: pair 258 left out, its number 258 does not fit a byte (getRankingData)"},
};
INSTANTIATE_TEST_SUITE_P(Ranking, TerminalViewTest, ::testing::ValuesIn(rankingCases),
                         [](const auto& p) { return std::string(p.param.name); });

const ReplyCase frequencyCases[] = {
    // EW 12's own scores are table 2's, 400 and -100 (count 2), marked with 128. Boards 1 to
    // 4; 3 and 4 have no result.
    {"eastWestPairOfTwoWinners", frequencyEvent, "", terminalOf(1, 2), "68 0C 01 01",
     "69 0C 01 01 A4 01 01 01 90 81 01 80 32 01 02 02 58 01 02 80 64 82"},
    // 131 results of 620 (the own one) and 128 of -100 are sent as 127 + 128 and 127; then
    // boards 4, 3 and 2 downward.
    {"countsHeldTo127", frequencyEvent, "", terminalOf(1, 1), "68 01 05 00",
     "69 01 05 02 6C FF 05 80 64 7F 02 02 58 01 02 80 64 82"},
    // Boards 254 and 255 only; table 1 played neither, so the passed-out 0 is not marked.
    {"upToBoard255", frequencyEvent, "", terminalOf(1, 1), "68 01 FE 01", "69 01 FE 00 64 01 FF 00 00 01"},
    // Across the field board 2 has B's 600 too; A1's own score is its own section's -100.
    {"acrossTheFieldOwnSection", frequencyEvent, "custom_qz_scoreacrosspair=1", terminalOf(1, 1),
     "68 01 02 00", "69 01 02 02 58 02 02 80 64 82 01 01 A4 81 01 01 90 01 01 80 32 01"},
    // The terminal knows EW 101 as 2: its own 420 is marked, and 2 comes back.
    {"bandedEastWest", bandedEvent, "", terminalOf(1, 1), "68 02 01 00", "69 02 01 01 A4 81 01 80 32 01"},
};
INSTANTIATE_TEST_SUITE_P(Frequencies, TerminalViewTest, ::testing::ValuesIn(frequencyCases),
                         [](const auto& p) { return std::string(p.param.name); });

// Boards 4 down to 1 after the late entry: A2's NS and EW pair (banded 3 and 4; two winners with
// EW 3-7, 2 and 4) each have their own 600 and 100 marked, not A4's -110.
const ReplyCase lateEntryCases[] = {
    {"bandedNorthSouth", [] { return lateEntry(101); }, "", terminalOf(1, 2), "68 03 04 00",
     "69 03 04 02 58 81 04 80 6E 01 03 00 64 81"},
    {"bandedEastWest", [] { return lateEntry(101); }, "", terminalOf(1, 2), "68 04 04 00",
     "69 04 04 02 58 81 04 80 6E 01 03 00 64 81"},
    {"twoWinnersNorthSouth", [] { return lateEntry(3); }, "", terminalOf(1, 2), "68 02 04 00",
     "69 02 04 02 58 81 04 80 6E 01 03 00 64 81"},
    {"twoWinnersEastWest", [] { return lateEntry(3); }, "", terminalOf(1, 2), "68 04 04 00",
     "69 04 04 02 58 81 04 80 6E 01 03 00 64 81"},
};
INSTANTIATE_TEST_SUITE_P(FrequenciesAfterALateEntry, TerminalViewTest, ::testing::ValuesIn(lateEntryCases),
                         [](const auto& p) { return std::string(p.param.name); });

const ReplyCase recapCases[] = {
    // Pair 1, EW at table 1 in round 2: board 1 NS 4/4, board 2 NS 1/4, board 3 EW (2 - 0) /
    // 2, board 4 not played; its erased entry on board 2 left out.
    {"matchpointsBothDirections", secondRoundPlayed, "", terminalOf(1, 1), "6A 00",
     "6B 11 01 1C 28 64 02 1C 24 19 03 23 24 64 04 38 00 00", "Prepare personal recap for E of pair 1"},
    // Symmetric ranges: board 1 (11 + 20) / 40 = 77.5, sent as 78; board 2 (-12 + 24) / 48;
    // board 3 EW (1 + 1) / 2.
    {"crossImpsBothDirections", secondRoundPlayed, "custom_qz_scoringtype=0", terminalOf(1, 1), "6A 00",
     "6B 11 01 1C 28 4E 02 1C 24 19 03 23 24 64 04 38 00 00"},
    // Pair 12, NS at table 2 in round 2: boards 1 and 2 as EW (4 - 2) / 4 and (4 - 1) / 4,
    // board 3 as NS 2/2; its adjusted score on board 4 left out.
    {"northSouthSeat", secondRoundPlayed, "", terminalOf(1, 2), "6A 01",
     "6B 11 01 23 24 32 02 1C 24 4B 03 23 28 64", "Prepare personal recap for N of pair 12"},
    // NS 1 against EW 1 has the top of board 1 (4 of 4), seen from its own side.
    {"mitchellNorthSouthAgainstTheSameNumber", mitchellSameNumbers, "", terminalOf(1, 1), "6A 01",
     "6B 11 01 1C 28 64", "Prepare personal recap for N of pair 1"},
    // Two winners: EW 12 on -20..11 (11 - 9) / 31 = 6.5, sent as 6; on -12..24 36/36.
    {"twoWinnersEastWestImps", twoWinners, "custom_qz_scoringtype=0", terminalOf(1, 2), "6A 02",
     "6B 11 01 23 24 06 02 1C 24 64", "Prepare personal recap for E of pair 12"},
    {"individualWest", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "6A 02", "6B 11 01 21 22 00",
     "Prepare personal recap for W of pair 16"},
    {"individualNobody", individualGame, "custom_qz_gametype=1", terminalOf(1, 1), "6A 03", "6B 11 00",
     "Prepare personal recap for  of pair 0"},
    {"bandedEastWest", bandedEvent, "", terminalOf(1, 1), "6A 00", "6B 11 01 1C 28 00",
     "Prepare personal recap for E of pair 101"},
    {"nothingStoredYet", bandedEvent, "", terminalOf(1, 2), "6A 01", "6B 11 00",
     "Prepare personal recap for N of pair 0"},
};
INSTANTIATE_TEST_SUITE_P(Recap, TerminalViewTest, ::testing::ValuesIn(recapCases),
                         [](const auto& p) { return std::string(p.param.name); });

class TerminalViewLimitTest : public test::DispatcherPtyTest {
protected:
    /// The whole reply to one request, its pieces put together.
    test::TerminalReply reply(quint16 terminal, const char* request) {
        test::ReplyAssembler assembler;
        for (const QByteArray& frame : send(terminal, request).frames) {
            if (const std::optional<test::TerminalReply> whole = assembler.take(frame))
                return *whole;
        }
        ADD_FAILURE() << "no whole reply";
        return {};
    }
};

// Two winners: only the EW rows are listed, by pair.
TEST_F(TerminalViewLimitTest, TheSectionsPairPins) {
    EventBuilder b = twoWinners();
    start(b);
    EXPECT_EQ(send(terminalOf(1, 1), "3A").frames, QList<QByteArray>{to(terminalOf(1, 1), "3B 11 00")});
    ASSERT_TRUE(data().exec(QStringLiteral("INSERT INTO custom_qz_PlayerPIN VALUES (1, 12, 'EW', '1234'), "
                                           "(1, 1, 'NS', '9999'), (1, 11, 'EW', '0712')")));
    EXPECT_EQ(send(terminalOf(1, 1), "3A").frames,
              QList<QByteArray>{to(terminalOf(1, 1), "3B 11 0B 07 0C 0C 0C 22")});
}

// Sections A, B and C, each with 100 results on board 1 (NS t against EW 100 + t, 1NT by N:
// one down at table 1, the board's lowest score, made with 7 to 13 tricks elsewhere), ranked
// across the field: 300 NS and 300 EW pairs.
TEST_F(TerminalViewLimitTest, RankingOfALargeFieldIsCutToWhatTheReplyHolds) {
    EventBuilder b;
    for (const char* letter : {"A", "B", "C"}) {
        const int s = b.addSection(QString::fromLatin1(letter));
        for (int t = 1; t <= 100; ++t) {
            b.addTable(s, t);
            b.addResult(played(t, 1, 1, t, 100 + t, "1NT", t == 1 ? 6 : 7 + t % 7, s));
        }
    }
    bindTerminals(b, 1, 1);
    start(b);
    data().setSetting(QStringLiteral("custom_qz_scoreacrosspair"), QStringLiteral("1"));
    const test::TerminalReply r = reply(terminalOf(1, 1), "38");
    // The count byte, 255 NS entries and 240 EW entries, the EW ranking led by EW 101 of A.
    ASSERT_EQ(r.payload.size(), 1 + 3 * 495);
    EXPECT_EQ(static_cast<quint8>(r.payload[0]), 255);
    EXPECT_EQ(r.payload.mid(1 + 3 * 255, 3), test::wire::bytes("01 65 64"));
    for (const int cut : {255, 240})
        EXPECT_TRUE(logged(
            QStringLiteral("Ranking data cut at %1 contestants: the reply holds no more (getRankingData)")
                .arg(cut)));
}

// NS 1 at table 1 has boards 1 to 200 in rounds 1 and 2, each twice the same (50); NS 4 at
// table 2 has boards 1 and 300.
TEST_F(TerminalViewLimitTest, RecapIsCutToWhatTheReplyHoldsAndBoardsAbove255LeftOut) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    for (const RoundRow& r : {RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2}, RoundRow{a, 1, 2, 1, 3, 0, 0, 1, 2},
                              RoundRow{a, 2, 1, 4, 5, 0, 0, 1, 1}})
        b.addRound(r);
    b.setStanza(a, 1, 2);
    bindTerminals(b, a, 2);
    for (int board = 1; board <= 200; ++board) {
        b.addResult(played(1, 1, board, 1, 2, "1NT", 7));
        b.addResult(played(1, 2, board, 1, 3, "1NT", 7));
    }
    b.addResult(played(2, 1, 1, 4, 5, "1NT", 7));
    b.addResult(played(2, 1, 300, 4, 5, "1NT", 7));
    start(b);

    QByteArray expected;
    for (int i = 0; i < 375; ++i)
        expected += static_cast<char>(1 + i / 2) + test::wire::bytes("21 1C 32");
    EXPECT_EQ(reply(terminalOf(1, 1), "6A 01").payload.toHex(' '), expected.toHex(' '));
    EXPECT_TRUE(logged(QStringLiteral("Personal recap of A1, pair 1 cut at 375 boards: the reply holds no "
                                      "more (Database - DB_personalRecap)")));
    EXPECT_EQ(reply(terminalOf(1, 2), "6A 01").payload, test::wire::bytes("01 21 1C 32"));
    EXPECT_TRUE(logged(QStringLiteral("Personal recap of A2, pair 4: board 300 left out, it does not fit a "
                                      "byte (Database - DB_personalRecap)")));
}

} // namespace
} // namespace qzc
