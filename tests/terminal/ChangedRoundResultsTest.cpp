// Results that a table stored under the pairs that played a round, where the movement seats
// others since: the scoring program changed it mid-round (a pair left, or two pairs swapped)
// and the director kept the stanza, or in a section without a movement a table's round counted
// from its results holds two seatings. Each such result is seen, corrected, rebuilt from the
// log and counted where it is stored, under those pairs.

#include "gamedata/ResultEditor.h"
#include "gamedata/TerminalNumbers.h"
#include "reports/BoardResultGrid.h"
#include "reports/LoggedResults.h"
#include "reports/PlayGridData.h"
#include "reports/PopUpResults.h"
#include "scoring/ScoreFrequency.h"
#include "support/FakeHelp.h"
#include "support/MovementChangeRig.h"
#include "terminal/MessageCode.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::MovementChangeRig;

QByteArray record(int board, int ns, int ew) {
    return MovementChangeRig::record(board, ns, ew);
}

enum class Change { PairLeaves, PairsSwap };

// A Mitchell of 5 tables, 5 rounds of 2 boards (NS t at table t, EW 6 to 10). Round 1 is
// played; in round 2 A2 (NS 2, EW 6, boards 5-6) enters board 5. The scoring program then
// changes the movement from round 2: EW 6 leaves, or EW 6 and 7 swap, and the director keeps
// the stanza. A2 enters board 6 under 2/6, stored in round 2, and the evening goes on.
class ChangedRoundTest : public ::testing::TestWithParam<Change> {
protected:
    void SetUp() override {
        test::EventBuilder b = MovementChangeRig::mitchell(5, 5, 2);
        m = std::make_unique<MovementChangeRig>(b, 5);
        ASSERT_TRUE(m->started) << m->rig.failure().toStdString();
        m->playRounds(1, 1);
        m->submit(2, {record(5, 2, 6)});
        ASSERT_TRUE(
            m->exec(GetParam() == Change::PairLeaves
                        ? u"UPDATE RoundData SET EWPair=0 WHERE EWPair=6 AND Round>=2"_s
                        : u"UPDATE RoundData SET EWPair=13-EWPair WHERE EWPair IN (6,7) AND Round>=2"_s));
        ASSERT_TRUE(m->exec(u"UPDATE Tables SET UpdateFromRound=2"_s));
        m->analyse(false);
        m->submit(2, {record(6, 2, 6)});
        ASSERT_EQ(m->stored(2, 6), u"2:2-6"_s);
        m->playRounds(2, 2, 2);
        m->playRounds(3, 5);
    }
    GameData& gameData() { return m->rig.data.gameData; }
    /// The stored result of A2's board: "round:NS-EW contract remark".
    QString storedAtA2(int board) {
        return m->rig.data
            .value(
                u"SELECT group_concat(Round || ':' || PairNS || '-' || PairEW || ' ' || Contract || ' ' || "
                "Remarks, ';') FROM ReceivedData WHERE [Table]=2 AND Board=%1"_s.arg(board))
            .toString();
    }

    std::unique_ptr<MovementChangeRig> m;
};

// The traveller of either board shows A2's result once, on a row naming its own pairs.
TEST_P(ChangedRoundTest, TheTravellerShowsTheResultOnTheRowOfItsPairs) {
    ScoreFrequency frequencies{m->rig.data.harness.db, m->rig.data.harness.log, m->rig.data.harness.settings};
    BoardResultGrid grid{gameData(), m->rig.data.harness.db, m->rig.data.harness.log, frequencies};
    for (const auto& [board, shown] : {std::pair{5, "2-6 620"}, std::pair{6, "2-6 420"}}) {
        QStringList atA2;
        for (const BoardResultRow& row : grid.boardRows(static_cast<qint16>(board))) {
            if (row.tableId == u"A2"_s)
                atA2 << u"%1-%2 %3"_s.arg(row.nsPair).arg(row.ewPair).arg(row.hasResult ? row.score : -1);
        }
        EXPECT_EQ(atA2, QStringList{QLatin1String(shown)}) << board;
    }
}

// The result editor opened from that row describes the stored result; Save replaces that row
// and erasing it stores it as not played, the round being before the section's last.
TEST_P(ChangedRoundTest, TheResultEditorCorrectsTheStoredRow) {
    ResultEditor editor(
        {gameData(), m->rig.data.harness.settings, m->rig.data.harness.log, m->box, m->rig.host});
    ASSERT_TRUE(editor.describeResult(6, {u"2"_s, u"6"_s, u"A2"_s, {}, {}}));
    EXPECT_EQ(editor.seat.round, 2);
    EXPECT_EQ(editor.contract + editor.declarer + editor.made, u"4SN10"_s);
    editor.made = u"9"_s;
    EXPECT_EQ(editor.save(), ResultEditor::SaveOutcome::Stored);
    EXPECT_EQ(storedAtA2(6), u"2:2-6 4 S "_s);

    ASSERT_TRUE(editor.describeResult(6, {u"2"_s, u"6"_s, u"A2"_s, {}, {}}));
    editor.contract.clear();
    editor.declarer.clear();
    editor.made.clear();
    editor.lead.clear();
    m->box.answers = {true};
    EXPECT_EQ(editor.save(), ResultEditor::SaveOutcome::Stored);
    EXPECT_EQ(storedAtA2(6), u"2:2-6  Not played"_s);
    EXPECT_EQ(storedAtA2(5), u"2:2-6 4 S "_s);
}

// A correction from the pop-up of A2's round-2 cell is stored under the pairs that played it.
TEST_P(ChangedRoundTest, ThePopUpCorrectsUnderThePairsThatPlayed) {
    PopUpResults popUp(gameData(), m->rig.data.harness.log, m->box, m->rig.host);
    const CellDetails cell = popUp.ShowCellDetails(u"A"_s, 2, 2, u"5,6,"_s);
    EXPECT_EQ(cell.title, u"Table A2; Round 2; Pair 2/6"_s);
    ASSERT_EQ(cell.lines.size(), 2U);
    m->box.shown.clear();
    m->box.answers = {true};
    EXPECT_EQ(popUp.saveEdit(cell.tableId, cell.round, cell.lines[1], u"4SN9HK"_s),
              PopUpResults::EditOutcome::Stored);
    EXPECT_EQ(m->box.texts(), QStringList{u"Save changed result?"_s});
    EXPECT_EQ(storedAtA2(6), u"2:2-6 4 S "_s);
    EXPECT_EQ(m->rig.data.value(u"SELECT custom_qz_score FROM ReceivedData WHERE [Table]=2 AND Board=6"_s),
              -50);
}

INSTANTIATE_TEST_SUITE_P(Terminals, ChangedRoundTest,
                         ::testing::Values(Change::PairLeaves, Change::PairsSwap), [](const auto& p) {
                             return p.param == Change::PairLeaves ? "PairLeaves" : "PairsSwap";
                         });

// A Mitchell of 5 tables, 5 rounds of 3 boards, round 1 played. In round 2 A2 (NS 2, EW 6)
// enters its first board; EW 6 leaves and pair 11 takes its seat, and A2 enters its second
// board under 2/11, before the change is taken up or after; then pair 11 leaves too and pair
// 12 takes the seat. Or EW 6 leaves and nobody takes its seat, once A2 stored two boards
// under 2/6. A board with a result is played by its pairs; the round, and a board without a
// result, by the pairs sitting there now, also once A2 has sent its first board again.
TEST(ChangedRoundSeatingTest, ARoundWithoutTheBoardsResultIsThePairsSittingThereNow) {
    struct SeatingCase {
        const char* name;
        const char* change;
        bool takenUp;
        /// The EW pair of A2's second stored board; the EW pair sitting there now.
        int secondEastWest;
        int sittingEastWest;
    };
    const SeatingCase cases[] = {
        {"PairReplacedChangePending", "EWPair=11", false, 11, 11},
        {"PairReplacedChangeTakenUp", "EWPair=11", true, 11, 11},
        {"PairReplacedTwiceChangesPending", "EWPair=11", false, 11, 12},
        {"PairReplacedTwiceChangesTakenUp", "EWPair=11", true, 11, 12},
        {"SeatEmptiedAfterTwoBoards", "EWPair=0", true, 6, 6},
    };
    for (const SeatingCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::EventBuilder b = MovementChangeRig::mitchell(5, 5, 3);
        MovementChangeRig m(b, 5);
        ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
        GameData& g = m.rig.data.gameData;
        const QStringList boards = g.mem_GetBoardList(u"A2"_s, 2).split(u',', Qt::SkipEmptyParts);
        ASSERT_EQ(boards.size(), 3);
        const auto board = [&boards](int k) {
            return static_cast<qint16>(boards[k].toInt());
        };
        const bool twice = c.sittingEastWest == 12;
        // Both changes are taken up together, by the analysis after the second.
        const auto change = [&m, &c](const QString& set, int from, bool last) {
            ASSERT_TRUE(m.exec(u"UPDATE RoundData SET %1 WHERE EWPair=%2 AND Round>=2"_s.arg(set).arg(from)));
            ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=2"_s));
            if (c.takenUp && last)
                m.analyse(false);
        };
        m.playRounds(1, 1);
        m.submit(2, {record(board(0), 2, 6)});
        if (c.secondEastWest == 6)
            m.submit(2, {record(board(1), 2, 6)});
        change(QLatin1String(c.change), 6, !twice);
        if (c.secondEastWest == 11)
            m.submit(2, {record(board(1), 2, 11)});
        ASSERT_EQ(m.stored(2, board(1)), u"2:2-%1"_s.arg(c.secondEastWest));
        if (twice)
            change(u"EWPair=12"_s, 11, true);

        const QString sitting = u"2/%1"_s.arg(c.sittingEastWest);
        const auto seated = [&g](qint16 onBoard) {
            const std::optional<RoundSeating> seating = g.roundSeating(u"A2"_s, 2, onBoard);
            return seating ? g.seatingText(seating->seats) : u"none"_s;
        };
        for (const bool corrected : {false, true}) {
            SCOPED_TRACE(corrected ? "first board sent again" : "as entered");
            if (corrected)
                m.submit(2, {record(board(0), 2, 6)});
            ASSERT_EQ(m.stored(2, board(0)), u"2:2-6"_s);
            EXPECT_EQ(seated(board(0)), u"2/6"_s);
            EXPECT_EQ(seated(board(2)), sitting);
            EXPECT_EQ(seated(0), sitting);

            const qsizetype logged = m.rig.data.logMessages().size();
            for (const char* direction : {"\x6a\x01", "\x6a\x02"})
                m.rig.request(2, QByteArray(direction, 2));
            EXPECT_EQ(m.rig.data.logMessages().mid(logged).filter(u"Prepare personal recap"_s),
                      (QStringList{u"Prepare personal recap for N of pair 2"_s,
                                   u"Prepare personal recap for E of pair %1"_s.arg(c.sittingEastWest)}));
        }
        // The frequencies of the first board mark EW 6's own result.
        const std::optional<TablePair> own = boardPair(g, false, u"A2"_s, board(0), 6);
        EXPECT_TRUE(own && own->number == 6 && own->eastWest);

        ScoreFrequency frequencies{m.rig.data.harness.db, m.rig.data.harness.log,
                                   m.rig.data.harness.settings};
        BoardResultGrid grid{g, m.rig.data.harness.db, m.rig.data.harness.log, frequencies};
        QStringList atA2;
        for (const BoardResultRow& row : grid.boardRows(board(2))) {
            if (row.tableId == u"A2"_s)
                atA2 << u"%1/%2%3"_s.arg(row.nsPair)
                            .arg(row.ewPair)
                            .arg(row.hasResult ? u" stored"_s : QString());
        }
        EXPECT_EQ(atA2, QStringList{sitting});
    }
}

// A Mitchell of 5 tables, 4 rounds of 2 boards. A1 has entered board 5 of round 3 (NS 1, EW 9)
// when EW 9 leaves from round 3. The round A1 played owes its boards: A1 and its section are
// complete only once A1 has entered round 4 too, also after the movement is read again.
TEST(ChangedRoundCountsTest, ARoundThatThePairsPlayedOwesItsBoards) {
    test::EventBuilder b = MovementChangeRig::mitchell(5, 4, 2);
    MovementChangeRig m(b, 5);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    GameData& g = m.rig.data.gameData;
    m.playRounds(1, 2);
    m.submit(1, {record(5, 1, 9)});
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=0 WHERE EWPair=9 AND Round>=3"_s));
    ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=3"_s));
    m.analyse(false);
    const auto counts = [&m] {
        return m.rig.data
            .value(u"SELECT ResultExpected || '/' || ResultGot FROM custom_qz_TQZ WHERE [Table]=1"_s)
            .toString();
    };
    const PlayGridData grid(g, m.rig.data.harness.db, m.rig.data.harness.log, m.rig.data.harness.event);
    EXPECT_FALSE(grid.cell(u"A1"_s, 3, GridView::Boards, 3).complete);

    m.submit(1, {record(6, 1, 9)});
    m.playRounds(3, 3, 1);
    EXPECT_EQ(counts(), u"8/6"_s);
    EXPECT_TRUE(grid.cell(u"A1"_s, 3, GridView::Boards, 3).complete);
    EXPECT_FALSE(g.DB_check_BoardResult(0, 4, u"A1"_s, 1));
    EXPECT_FALSE(g.checkResultProgress(u"A1"_s));

    m.playRounds(4, 4);
    EXPECT_EQ(counts(), u"8/8"_s);
    EXPECT_TRUE(g.DB_check_BoardResult(0, 4, u"A1"_s, 1));
    EXPECT_TRUE(g.checkResultProgress(u"A1"_s));
    EXPECT_TRUE(m.rig.data.logMessages().contains(
        u"Check board for A on table with TQZ, round 1 to 4: 38/38 (DB_check_BoardResult)"_s));
    m.rig.data.reload();
    EXPECT_EQ(counts(), u"8/8"_s);
}

// A Mitchell of 7 tables, 6 rounds of 2 boards, rounds 1-2 played. The scoring program swaps
// the EW pairs of A1 and A2 from round 3; A1 enters board 5 before the change is taken up and
// board 6 after, both under 1/13 in round 3. The next stanza (rounds 4-6) has begun when the
// results are rebuilt from the log: A1's lines carry round 3 and its pairs, like the others.
TEST(ChangedRoundLogTest, ResultsRebuiltFromTheLogCarryTheirRound) {
    test::EventBuilder b = MovementChangeRig::mitchell(7, 6, 2);
    MovementChangeRig m(b, 7);
    ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
    QString log;
    const auto logged = [&m, &log](int table, const QByteArray& result) {
        m.submit(table, {result});
        log += u"2026-12-08 20:00:00.000 : RX <= FF 00 %1 07 34 %2 00 00\r\n"_s
                   .arg(table, 2, 16, QLatin1Char('0'))
                   .arg(QString::fromLatin1(result.toHex(' ').toUpper()));
    };
    m.playRounds(1, 2);
    ASSERT_TRUE(m.exec(u"UPDATE RoundData SET EWPair=27-EWPair WHERE EWPair IN (13,14) AND Round>=3"_s));
    ASSERT_TRUE(m.exec(u"UPDATE Tables SET UpdateFromRound=3"_s));
    logged(1, record(5, 1, 13));
    m.analyse(false);
    logged(1, record(6, 1, 13));
    logged(2, record(7, 2, 13));
    ASSERT_EQ(m.stored(1, 6), u"3:1-13"_s);
    ASSERT_TRUE(
        m.exec(u"UPDATE Section SET custom_qz_StanazBeginGameRound=4, custom_qz_StanazEdgeGameRound=6"_s));
    m.rig.data.reload();

    test::FakeShellOpener shell;
    LoggedResults results(m.rig.data.gameData, m.rig.data.harness.event, m.rig.data.harness.log, m.box,
                          shell);
    QStringList lines;
    for (const QString& line :
         LoggedResults::summaryTable(results.DecodeGameLogForResult(log)).split(u"\r\n"_s))
        lines << line.section(QLatin1Char('\t'), 0, 5);
    EXPECT_EQ(lines.mid(1, 3),
              (QStringList{u"1\t1\t3\t5\t1\t13"_s, u"1\t1\t3\t6\t1\t13"_s, u"1\t2\t3\t7\t2\t13"_s}));
}

// Section A, 3 tables, no movement, 2 boards a round. A1 plays four boards, all of them
// counted into round 1: two against EW 1, then two against EW 3 (in rising board order, or
// in falling order). The first of them is then corrected, by the table or in the pop-up.
// EW 3 sits there before the correction and after it. Played at one board a round instead
// (rounds 1, 1, 2, 3) and started again with 2 a round and 4 in all (edge round 2), the last
// board, stored past the edge, is corrected within the stanza: counted into round 2.
TEST(SeatingWithoutMovementTest, TheLatestPairsStayThroughACorrectionOfAnEarlierBoard) {
    struct CorrectionCase {
        const char* name;
        std::array<int, 4> boards;
        bool fromTable;
        int boardsPerRoundInPlay = 2;
        /// The board played k-th that is corrected.
        std::size_t corrected = 0;
        /// The correction's round; the stored result ("round:NS-EW") before it and after it.
        int round = 1;
        QString before = u"1:1-1"_s;
        QString after = u"1:1-1"_s;
    };
    const CorrectionCase cases[] = {
        {"RisingBoardsCorrectedByTheTable", {1, 2, 3, 4}, true},
        {"RisingBoardsCorrectedInThePopUp", {1, 2, 3, 4}, false},
        {"FallingBoardsCorrectedByTheTable", {4, 3, 2, 1}, true},
        {"FallingBoardsCorrectedInThePopUp", {4, 3, 2, 1}, false},
        {"StoredPastTheEdgeOfNewBoardCounts", {1, 2, 3, 4}, true, 1, 3, 2, u"3:1-3"_s, u"2:1-3"_s},
    };
    for (const CorrectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::EventBuilder b = MovementChangeRig::withoutMovement(3, c.boardsPerRoundInPlay);
        MovementChangeRig m(b, 3);
        ASSERT_TRUE(m.started) << m.rig.failure().toStdString();
        GameData& g = m.rig.data.gameData;
        const auto ewOf = [](std::size_t k) {
            return k < 2 ? 1 : 3;
        };
        for (std::size_t k = 0; k < 4; ++k)
            m.submit(1, {MovementChangeRig::record(c.boards[k], 1, ewOf(k))});
        if (c.boardsPerRoundInPlay != 2) {
            // The program started again with the new counts, as the start writes them.
            m.rig.data.harness.event.boardsPerRound = 2;
            m.rig.data.harness.event.totalBoards = 4;
            ASSERT_TRUE(m.exec(u"UPDATE Section SET custom_qz_StanazEdgeGameRound=2"_s));
            m.rig.data.reload();
        }
        const int board = c.boards[c.corrected];
        const QString boards = u"1,2,3,4,"_s;

        PopUpResults popUp(g, m.rig.data.harness.log, m.box, m.rig.host);
        for (const bool corrected : {false, true}) {
            SCOPED_TRACE(corrected ? "corrected" : "as entered");
            const CellDetails cell = popUp.ShowCellDetails(u"A"_s, 1, 1, boards);
            if (corrected && c.fromTable) {
                // Answered with its feedback: stored, not skipped (the reload flag aside).
                const QByteArray reply =
                    m.submit(1, {MovementChangeRig::record(board, 1, ewOf(c.corrected))});
                EXPECT_NE(reply.isEmpty() ? 0 : reply.at(0) & 0x7f, MessageCode::ReplyNoFeedback);
            } else if (corrected) {
                m.box.answers = {true};
                ASSERT_EQ(popUp.saveEdit(cell.tableId, 1, cell.lines[static_cast<std::size_t>(board - 1)],
                                         u"4SN9"_s),
                          PopUpResults::EditOutcome::Stored);
            }
            EXPECT_EQ(m.stored(1, board), corrected ? c.after : c.before);
            EXPECT_EQ(popUp.ShowCellDetails(u"A"_s, 1, static_cast<qint16>(c.round), boards).title,
                      u"Table A1; Round %1; Pair 1/3"_s.arg(c.round));
            const std::optional<RoundSeating> withoutResult =
                g.roundSeating(u"A1"_s, static_cast<qint16>(c.round), 5);
            EXPECT_EQ(withoutResult ? g.seatingText(withoutResult->seats) : QString(), u"1/3"_s);

            const qsizetype logged = m.rig.data.logMessages().size();
            m.rig.request(1, QByteArray("\x6a\x02", 2));
            EXPECT_EQ(m.rig.data.logMessages().mid(logged).filter(u"Prepare personal recap"_s),
                      QStringList{u"Prepare personal recap for E of pair 3"_s});
        }
    }
}

} // namespace
} // namespace qzc
