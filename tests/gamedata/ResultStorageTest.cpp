#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "support/EventBuilder.h"
#include "support/Fixtures.h"
#include "support/GameDataHarness.h"
#include "support/OtherProgramLock.h"

#include <QSqlQuery>
#include <array>
#include <chrono>
#include <gtest/gtest.h>

namespace qzc {
namespace {

using Status = MarkResultOutcome::Status;
using test::GameDataHarness;

ResultEntry played(qint16 board, const char* contract, const char* declarer, qint16 tricks,
                   const char* lead = "SA") {
    ResultEntry entry;
    entry.board = board;
    entry.contract = QString::fromLatin1(contract);
    entry.declarer = QString::fromLatin1(declarer);
    entry.tricks = tricks;
    entry.lead = QString::fromLatin1(lead);
    entry.valid = -1;
    return entry;
}

// The stored rows of a table: "round/board NS-EW Contract|Result|[NS/EW]|Declarer|score|
// own declarer|LeadCard|Remarks", a Null shown as "~".
QString storedRows(GameDataHarness& data, int table) {
    QStringList rows;
    std::optional<QSqlQuery> query = data.harness.db.select(
        QStringLiteral(
            "SELECT Round, Board, PairNS, PairEW, Contract, Result, [NS/EW], Declarer, custom_qz_score, "
            "custom_qz_declarer, LeadCard, Remarks FROM ReceivedData WHERE Section=1 AND [Table]=%1 "
            "ORDER BY Round, Board")
            .arg(table));
    while (query && query->next()) {
        QStringList values;
        for (int i = 4; i < 12; ++i)
            values << (query->value(i).isNull() ? QStringLiteral("~") : query->value(i).toString());
        rows << QStringLiteral("%1/%2 %3-%4 ")
                        .arg(query->value(0).toInt())
                        .arg(query->value(1).toInt())
                        .arg(query->value(2).toInt())
                        .arg(query->value(3).toInt()) +
                    values.join(QLatin1Char('|'));
    }
    return rows.join(QStringLiteral("; "));
}

class ResultStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EventBuilder b = test::fixtures::mitchell();
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        ASSERT_TRUE(data.gameData.markTQZTableNo(601, A3, true, 3));
    }
    int resultGot() {
        return data.value(QStringLiteral("SELECT ResultGot FROM custom_qz_TQZ WHERE TQZ_ID=601")).toInt();
    }

    GameDataHarness data;
    // Round 1 at table 3: pairs 3 and 10 play boards 7-9.
    const QString A3 = QStringLiteral("A3");
};

TEST_F(ResultStorageTest, StoreReplaceRefuseFailAndErase) {
    const std::string first = "1/7 3-10 4 S x|=|N|3|790|N|SA|";
    const std::string second = "1/7 3-10 3 NT|=|N|3|600|N|SA|";

    MarkResultOutcome outcome = data.gameData.markResult(A3, played(7, "4SX", "N", 10), 1, 3, 10, 0, 0);
    EXPECT_EQ(outcome.status, Status::Stored);
    EXPECT_EQ(outcome.round, 1);
    EXPECT_EQ(storedRows(data, 3).toStdString(), first);
    EXPECT_EQ(resultGot(), 1);

    // The same board and pairs again: replaced, and counted once.
    outcome = data.gameData.markResult(A3, played(7, "3NT", "N", 9), 1, 3, 10, 0, 0);
    EXPECT_EQ(outcome.status, Status::Stored);
    EXPECT_EQ(storedRows(data, 3).toStdString(), second);
    EXPECT_EQ(resultGot(), 1);

    // Pairs that do not meet on this board at this table.
    outcome = data.gameData.markResult(A3, played(7, "4S", "N", 10), 1, 3, 11, 0, 0);
    EXPECT_EQ(outcome.status, Status::Mismatch);
    EXPECT_TRUE(outcome.refused());
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral("Submitted board result mismatch:A3,7,3,11")));
    EXPECT_EQ(data.gameData.markResult(A3, played(7, "4S", "N", 10), 0, 3, 10, 0, 0).status,
              Status::Incomplete);
    EXPECT_EQ(storedRows(data, 3).toStdString(), second);

    // The database refuses the insert: the delete of the earlier row is rolled back with it.
    ASSERT_TRUE(data.exec(QStringLiteral("CREATE TRIGGER refuse_result BEFORE INSERT ON ReceivedData BEGIN "
                                         "SELECT RAISE(ABORT, 'disk full'); END")));
    outcome = data.gameData.markResult(A3, played(7, "4S", "N", 11), 1, 3, 10, 0, 0);
    EXPECT_EQ(outcome.status, Status::StorageFailed);
    EXPECT_FALSE(outcome.refused());
    EXPECT_EQ(outcome.round, 0);
    EXPECT_EQ(storedRows(data, 3).toStdString(), second);
    EXPECT_EQ(resultGot(), 1);
    EXPECT_TRUE(
        data.logMessages().filter(QStringLiteral("run-err")).filter(QStringLiteral("disk full")).size() >= 1);
    ASSERT_TRUE(data.exec(QStringLiteral("DROP TRIGGER refuse_result")));

    // A record without a contract erases the result.
    outcome = data.gameData.markResult(A3, played(7, "", "", 0), 1, 3, 10, 0, 0);
    EXPECT_EQ(outcome.status, Status::Erased);
    EXPECT_EQ(outcome.round, 1);
    EXPECT_EQ(storedRows(data, 3).toStdString(), "");
    EXPECT_EQ(resultGot(), 0);
}

// Another program holds the write lock with a write of its own. A result sent meanwhile
// waits for it (released after about 300 ms) and is stored, a correction in place of the
// earlier row; held past the busy timeout, it is refused whole and the earlier row stands.
TEST(ResultStorageLockTest, AResultWaitsOutAnotherProgramsWriteOrIsRefusedWhole) {
    struct LockCase {
        const char* name;
        /// At A1 of the individual game (North 1, East 6, South 11, West 16), else at A3.
        bool individual;
        std::optional<ResultEntry> earlier;
        ResultEntry sent;
        /// The table's rows after a refusal, and once the result is stored.
        const char* refused;
        const char* stored;
    };
    const char* const doubled = "1/7 3-10 4 S x|=|N|3|790|N|SA|";
    const LockCase cases[] = {
        {"NewPairsResult", false, std::nullopt, played(7, "4SX", "N", 10), "", doubled},
        {"PairsCorrection", false, played(7, "4SX", "N", 10), played(7, "3NT", "N", 9), doubled,
         "1/7 3-10 3 NT|=|N|3|600|N|SA|"},
        {"FourPlayerCorrection", true, played(1, "1NT", "S", 8), played(1, "2H", "W", 8),
         "1/1 1-6 1 NT|+1|S|11|120|S|SA|", "1/1 1-6 2 H|=|W|16|-110|W|SA|"},
    };
    for (const LockCase& c : cases) {
        SCOPED_TRACE(c.name);
        GameDataHarness data;
        test::EventBuilder b = c.individual ? test::fixtures::individual() : test::fixtures::mitchell();
        ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
        data.setIndividual(c.individual);
        data.reload();
        const QString table = c.individual ? QStringLiteral("A1") : QStringLiteral("A3");
        const QString path = data.harness.db.path();
        const auto [ns, ew, south, west] =
            c.individual ? std::array<qint16, 4>{1, 6, 11, 16} : std::array<qint16, 4>{3, 10, 0, 0};
        for (const bool outlasted : {false, true}) {
            SCOPED_TRACE(outlasted ? "held past the busy timeout" : "released in time");
            ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM ReceivedData WHERE [Table]=") + table.mid(1)));
            if (c.earlier) {
                ASSERT_EQ(data.gameData.markResult(table, *c.earlier, 1, ns, ew, south, west).status,
                          Status::Stored);
            }
            if (outlasted) {
                data.harness.db.setBusyTimeout(100);
                ASSERT_TRUE(data.harness.db.open(path));
            }
            test::OtherProgramLock lock(
                path, outlasted ? std::nullopt : std::optional(std::chrono::milliseconds(300)),
                QStringLiteral("UPDATE Tables SET LogOnOff=LogOnOff"));
            ASSERT_TRUE(lock.held());
            EXPECT_EQ(data.gameData.markResult(table, c.sent, 1, ns, ew, south, west).status,
                      outlasted ? Status::StorageFailed : Status::Stored);
            lock.release();
            EXPECT_EQ(storedRows(data, tableIdNumber(table)).toStdString(), outlasted ? c.refused : c.stored);
        }
    }
}

TEST_F(ResultStorageTest, ResultOfARenumberedRoundReplacesWhatTheTableHeldThere) {
    ASSERT_EQ(data.gameData.markResult(A3, played(7, "4S", "N", 10), 1, 3, 10, 0, 0).status, Status::Stored);
    ASSERT_EQ(data.gameData.markResult(A3, played(8, "2H", "E", 8), 1, 3, 10, 0, 0).status, Status::Stored);
    // NS pairs 3 and 4 of round 1 swapped after the round was played.
    ASSERT_TRUE(
        data.exec(QStringLiteral("UPDATE RoundData SET NSPair=7-NSPair WHERE Round=1 AND [Table] IN (3,4)")));
    data.reload();
    const std::string board8 = "1/8 3-10 2 H|=|E|10|-110|E|SA|";
    EXPECT_EQ(data.gameData.markResult(A3, played(7, "3NT", "S", 9), 1, 4, 10, 0, 0).status, Status::Stored);
    EXPECT_EQ(storedRows(data, 3).toStdString(), "1/7 4-10 3 NT|=|S|4|600|S|SA|; " + board8);
    EXPECT_EQ(data.gameData.getPlayedBoardList(A3, 1, false), QStringLiteral("7,8"));
    EXPECT_EQ(data.gameData.markResult(A3, played(7, "", "", 0), 1, 4, 10, 0, 0).status, Status::Erased);
    EXPECT_EQ(storedRows(data, 3).toStdString(), board8);
}

// A correction is a new row: a new ID, its processed flags at their defaults, the earlier
// row gone. It keeps the place of the result it replaces in the order in which the round's
// results first came, and who sits at a table that no movement row seats goes by that order:
// the pairs whose results came last. A row another program wrote counts by its own ID.
// Rows as "ID:round/NS-EW:processed:first ID" ("new" above 9); board 8 (ID 9) stands last.
TEST_F(ResultStorageTest, ACorrectionIsANewRowThatKeepsItsPlaceInTheOrderResultsFirstCame) {
    struct OrderCase {
        const char* name;
        std::vector<const char*> board7;
        const char* corrected;
    };
    const OrderCase cases[] = {
        {"StoredInItsRound", {"5,1,3,10"}, "new:1/3-10:0:5"},
        {"TheSamePairsInAnotherRoundGoToo", {"5,2,3,10", "6,1,4,10"}, "new:1/3-10:0:6"},
        {"OnlyAnotherRoundHeldIt", {"5,2,3,10"}, "new:1/3-10:0:-"},
    };
    ASSERT_TRUE(
        data.exec(QStringLiteral("ALTER TABLE ReceivedData ADD COLUMN Processed YESNO NOT NULL DEFAULT 0")));
    for (const OrderCase& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM ReceivedData")));
        QStringList rows{QStringLiteral("9,1,3,10,8")};
        for (const char* row : c.board7)
            rows << QString::fromLatin1(row) + QStringLiteral(",7");
        for (const QString& row : rows)
            ASSERT_TRUE(
                data.exec(QStringLiteral("INSERT INTO ReceivedData (ID,Round,PairNS,PairEW,Board,Section,"
                                         "[Table],Contract,Processed) VALUES (") +
                          row + QStringLiteral(",1,3,'4 S',-1)")));
        ASSERT_EQ(data.gameData.markResult(A3, played(7, "3NT", "N", 9), 1, 3, 10, 0, 0).status,
                  Status::Stored);
        EXPECT_EQ(
            data.value(QStringLiteral("SELECT group_concat(CASE WHEN ID>9 THEN 'new' ELSE ID END || ':' || "
                                      "Round || '/' || PairNS || '-' || PairEW || ':' || Processed || ':' "
                                      "|| ifnull(custom_qz_firstid, '-'), ' ') FROM ReceivedData WHERE "
                                      "Board=7"))
                .toString()
                .toStdString(),
            c.corrected);
    }

    // The movement gone: A5 plays boards 1-2 against EW 1, then 3-4 against EW 3, all in
    // round 1; board 1 is corrected twice.
    ASSERT_TRUE(data.exec(QStringLiteral("DELETE FROM RoundData")));
    data.reload();
    const QString A5 = QStringLiteral("A5");
    const auto seated = [this, &A5] {
        const std::optional<RoundSeating> seating = data.gameData.roundSeating(A5, 1, 6);
        return seating ? data.gameData.seatingText(seating->seats).toStdString() : std::string();
    };
    for (qint16 board = 1; board <= 4; ++board)
        ASSERT_EQ(
            data.gameData.markResult(A5, played(board, "4S", "N", 10), 1, 1, board <= 2 ? 1 : 3, 0, 0).status,
            Status::Stored);
    EXPECT_EQ(seated(), "1/3");
    for (const qint16 tricks : {9, 8}) {
        ASSERT_EQ(data.gameData.markResult(A5, played(1, "4S", "N", tricks), 1, 1, 1, 0, 0).status,
                  Status::Stored);
        EXPECT_EQ(seated(), "1/3");
    }
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO ReceivedData (Section,[Table],Round,Board,PairNS,PairEW,"
                                 "Contract) VALUES (1,5,1,5,1,5,'4 S')")));
    EXPECT_EQ(seated(), "1/5");
}

struct StoredForm {
    const char* name;
    ResultEntry record;
    const char* stored;
};

void PrintTo(const StoredForm& c, std::ostream* os) {
    *os << c.name;
}

class ResultStoredFormTest : public ResultStorageTest, public ::testing::WithParamInterface<StoredForm> {};

TEST_P(ResultStoredFormTest, RecordIsStoredAs) {
    const StoredForm& c = GetParam();
    EXPECT_EQ(data.gameData.markResult(A3, c.record, 1, 3, 10, 0, 0).status, Status::Stored);
    EXPECT_EQ(storedRows(data, 3).toStdString(), c.stored);
}

ResultEntry ruling() {
    ResultEntry entry = played(8, "4S", "N", 10);
    entry.valid = 0;
    entry.remarks = QStringLiteral("Director ruling");
    return entry;
}

// Board 7: both sides vulnerable; board 8: nobody; board 9: East-West.
INSTANTIATE_TEST_SUITE_P(
    Records, ResultStoredFormTest,
    ::testing::Values(
        StoredForm{"redoubled", played(7, "4SXX", "E", 8), "1/7 3-10 4 S xx|-2|E|10|1000|E|SA|"},
        StoredForm{"lowerCase", played(9, "3nt", "W", 7, "H2"), "1/9 3-10 3 NT|-2|W|10|200|W|H2|"},
        StoredForm{"passed", played(8, "PASS", "N", 0), "1/8 3-10 PASS|||~|0||SA|"},
        StoredForm{"adjusted", played(8, "60%-40%", "", 0), "1/8 3-10 |||~|0||SA|60%-40%"},
        StoredForm{"notPlayed", played(8, "NP", "", 0), "1/8 3-10 |||~|0||SA|Not played"},
        StoredForm{"latePlay", played(8, "LP", "", 0), "1/8 3-10 |||~|0||SA|LP"},
        StoredForm{"ruling", ruling(), "1/8 3-10 |||~|0|||Director ruling"}),
    [](const ::testing::TestParamInfo<StoredForm>& p) { return std::string(p.param.name); });

TEST(ResultStorageIndividualTest, DeclaringPlayerAndFourSeatsAreStored) {
    GameDataHarness data;
    test::EventBuilder b = test::fixtures::individual();
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    data.setIndividual(true);
    data.reload();
    // Round 1 at table 1: North 1, East 6, South 11, West 16 play boards 1-2.
    const QString A1 = QStringLiteral("A1");
    EXPECT_EQ(data.gameData.markResult(A1, played(2, "3NT", "S", 9), 1, 1, 6, 11, 16).status, Status::Stored);
    EXPECT_EQ(data.gameData.markResult(A1, played(1, "2H", "W", 8), 1, 1, 6, 11, 16).status, Status::Stored);
    EXPECT_EQ(data.gameData.markResult(A1, played(1, "2H", "W", 8), 1, 1, 6, 11, 17).status,
              Status::Mismatch);
    EXPECT_EQ(
        data.value(QStringLiteral("SELECT COUNT(*) FROM ReceivedData WHERE Board=1 AND [Table]=1")).toInt(),
        1);
    EXPECT_EQ(
        data.value(QStringLiteral("SELECT Declarer || '/' || South || '/' || West FROM ReceivedData WHERE "
                                  "Board=2 AND [Table]=1"))
            .toString(),
        QStringLiteral("11/11/16"));
    EXPECT_EQ(
        data.value(QStringLiteral("SELECT Declarer FROM ReceivedData WHERE Board=1 AND [Table]=1")).toInt(),
        16);
}

TEST_F(ResultStorageTest, PairsZeroWithoutMovementStoreNotPlayed) {
    GameData bare(data.harness.db, data.harness.log, data.harness.settings, data.harness.event,
                  data.harness.clock);
    bare.loadsectiondata();
    EXPECT_EQ(bare.markResult(A3, played(8, "4S", "N", 10), 1, 0, 0, 0, 0).status, Status::Stored);
    EXPECT_EQ(storedRows(data, 3).toStdString(), "1/8 0-0 |||~|0||SA|Not played");
}

TEST_F(ResultStorageTest, ReadingBackAStoredResult) {
    ASSERT_EQ(data.gameData.markResult(A3, played(7, "4SX", "N", 10), 1, 3, 10, 0, 0).status, Status::Stored);
    ResultEntry read;
    ASSERT_TRUE(data.gameData.getBoardResult(A3, 1, 7, read));
    EXPECT_EQ(read.contract, QStringLiteral("4Sx"));
    EXPECT_EQ(read.tricks, 10);
    EXPECT_EQ(read.declarer, QStringLiteral("N"));
    EXPECT_EQ(read.lead, QStringLiteral("SA"));
    EXPECT_EQ(read.score, 790);
    EXPECT_EQ(read.valid, -1);
    EXPECT_EQ(read.board, 7);

    // Another program left the text fields Null: they read as empty text.
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, "
                                 "Contract, Result, DateLog) VALUES (1, 3, 1, 8, 3, 10, '3 NT', '+1', "
                                 "'2026-12-07')")));
    ResultEntry nulls = played(1, "7NT", "S", 13, "CK");
    ASSERT_TRUE(data.gameData.getBoardResult(A3, 1, 8, nulls));
    EXPECT_EQ(nulls.contract, QStringLiteral("3NT"));
    EXPECT_EQ(nulls.tricks, 10);
    EXPECT_EQ(nulls.declarer, QString());
    EXPECT_EQ(nulls.lead, QString());
    EXPECT_EQ(nulls.remarks, QString());
    EXPECT_EQ(nulls.valid, -1);

    // A ruling is not a valid result; a row without its date is no result at all.
    ASSERT_TRUE(
        data.exec(QStringLiteral("INSERT INTO ReceivedData (Section, [Table], Round, Board, PairNS, PairEW, "
                                 "Contract, Remarks, DateLog) VALUES (1, 3, 1, 9, 3, 10, '4 S', 'Slow play', "
                                 "'2026-12-07'), (1, 3, 2, 9, 3, 9, '4 S', '', NULL)")));
    ResultEntry ruled = played(1, "7NT", "S", 13, "CK");
    ASSERT_TRUE(data.gameData.getBoardResult(A3, 1, 9, ruled));
    EXPECT_EQ(ruled.valid, 0);
    EXPECT_EQ(ruled.contract, QString());
    EXPECT_EQ(ruled.remarks, QStringLiteral("Slow play"));
    ResultEntry untouched = played(1, "7NT", "S", 13, "CK");
    EXPECT_FALSE(data.gameData.getBoardResult(A3, 2, 9, untouched));
    EXPECT_EQ(untouched.contract, QStringLiteral("7NT"));
}

TEST_F(ResultStorageTest, CountingAndClearingResults) {
    const QString A1 = QStringLiteral("A1");
    EXPECT_EQ(data.gameData.countTableResultsPlayed(A1), 2);
    // Round 2 at table 1: pairs 1 and 14 play boards 4-6.
    ASSERT_EQ(data.gameData.markResult(A1, played(4, "1NT", "N", 7), 2, 1, 14, 0, 0).status, Status::Stored);
    EXPECT_EQ(data.gameData.countTableResultsPlayed(A1), 3);

    EXPECT_FALSE(data.gameData.tableClearResult(0, 1));
    EXPECT_TRUE(data.gameData.tableClearResult(5, 9));
    EXPECT_TRUE(data.gameData.tableClearResult(2, 1));
    EXPECT_EQ(data.gameData.countTableResultsPlayed(A1), 2);
    EXPECT_EQ(data.gameData.getPlayedBoardList(A1, 2, true), QStringLiteral("1,2"));
    EXPECT_TRUE(data.logMessages().contains(QStringLiteral("Clear result since round 2")));
}

} // namespace
} // namespace qzc
