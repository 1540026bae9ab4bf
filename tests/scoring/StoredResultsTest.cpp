#include "scoring/StoredResults.h"

#include "support/Fixtures.h"
#include "support/ScoringEvent.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::EventBuilder;
using test::ResultRow;
using test::ScoringEvent;
using test::wire::bytes;

constexpr int kA = 1;
constexpr int kB = 2;

ResultRow played(int table, int round, int board, int ns, int ew, const char* contract, const char* declarer,
                 int tricks) {
    return ResultRow::played(kA, table, round, board, ns, ew, QString::fromLatin1(contract),
                             QString::fromLatin1(declarer), tricks);
}

ResultRow withRemark(ResultRow row, const char* remark) {
    row.remarks = QString::fromLatin1(remark);
    return row;
}

// Table A3 holds every kind of stored result; A4 pair numbers of team bands and one above
// 255; A6 only a free remark; A7 106 results; A9 a board that does not fit a byte. Tables
// A5 and B3 have nothing of A3's.
EventBuilder storedEvent() {
    EventBuilder b;
    b.addSection(QStringLiteral("A"));
    b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(kA, 9, 4, 3);
    b.addMitchellMovement(kB, 9, 4, 3);

    ResultRow r = played(3, 1, 5, 3, 10, "4S", "N", 11);
    r.leadCard = QStringLiteral("SK");
    r.dateLog = QStringLiteral("2012-07-04");
    r.timeLog = QStringLiteral("14:05:09");
    r.south = 21;
    r.west = 22;
    b.addResult(r);
    b.addResult(withRemark(played(3, 1, 4, 3, 10, "1C", "E", 7), "np"));
    r = withRemark(played(3, 2, 6, 3, 11, "2H", "S", 8), "60%-40%");
    r.contract = QString();
    r.leadCard = QStringLiteral("CA");
    b.addResult(r);
    r = withRemark(played(3, 2, 7, 3, 11, "2H", "S", 8), "Not played");
    r.leadCard = QStringLiteral("H2");
    r.timeLog = QStringLiteral("1899-12-30 08:30:15");
    b.addResult(r);
    b.addResult(withRemark(played(3, 3, 9, 3, 12, "2H", "S", 8), "Director call"));
    r = played(3, 3, 8, 3, 12, "2H", "S", 8);
    r.contract = QString();
    b.addResult(r);
    r = played(3, 3, 10, 3, 12, "2H", "S", 8);
    r.erased = true;
    b.addResult(r);
    r = played(3, 4, 11, 3, 13, "3NT", "W", 9);
    r.leadCard = QStringLiteral("Dx");
    b.addResult(r);
    b.addResult(withRemark(played(3, 4, 12, 3, 13, "4H", "N", 10), "LP"));

    b.addResult(played(4, 1, 1, 101, 259, "1NT", "S", 7));
    b.addResult(withRemark(played(6, 1, 1, 6, 13, "1NT", "S", 7), "Director call"));
    for (int i = 0; i < 106; ++i)
        b.addResult(played(7, 1 + i / 30, 1 + i % 30, 7, 14, "1NT", "S", 7));
    b.addResult(played(9, 1, 300, 9, 16, "1NT", "S", 7));
    b.addResult(played(9, 1, 7, 9, 16, "1NT", "S", 7));
    b.addResult(ResultRow::played(kB, 3, 1, 1, 3, 10, QStringLiteral("1NT"), QStringLiteral("S"), 7));
    return b;
}

// The entries of table A3 from each round, without South and West; the stored date is
// 2026-12-07 at 19:45:00 unless the row says otherwise.
const QByteArray kRound1 = bytes({4, 56, 1,  0,  3, 10, 7, 234, 12, 7, 19, 45, 0,    // np by E
                                  5, 28, 44, 55, 3, 10, 7, 220, 7,  4, 14, 5,  9});  // 4S by N, 11, SK
const QByteArray kRound2 = bytes({6, 56, 60, 0,  3, 11, 7, 234, 12, 7, 19, 45, 0,    // 60%-40%
                                  7, 56, 2,  10, 3, 11, 7, 234, 12, 7, 8,  30, 15}); // Not played, H2
// 3NT by W with 9 tricks led Dx, its EW pair and date Null; then LP.
const QByteArray kRound4 = bytes({11, 35, 39, 61, 3, 0,  0, 0,   0,  0, 19, 45, 0, //
                                  12, 56, 0,  0,  3, 13, 7, 234, 12, 7, 19, 45, 0});

class StoredResultsTest : public testing::Test {
protected:
    void SetUp() override {
        EventBuilder b = storedEvent();
        ASSERT_TRUE(r.open(b));
        ASSERT_TRUE(r.db.execSQL(QStringLiteral("UPDATE ReceivedData SET DateLog=NULL, PairEW=NULL "
                                                "WHERE Section=1 AND [Table]=3 AND Board=11"),
                                 QStringLiteral("test")));
    }

    TableAddress table(const char* id) const {
        const QString tableId = QString::fromLatin1(id);
        const qint16 section = tableId.startsWith(u'A') ? kA : tableId.startsWith(u'B') ? kB : 0;
        return TableAddress::of(tableId, section);
    }

    ScoringEvent r;
    StoredResults stored{r.db, r.log, r.event};
};

struct StoredCase {
    const char* tableId;
    qint16 firstRound;
    bool withSouthWest;
    bool banded;
    QByteArray expected;
};

TEST_F(StoredResultsTest, EntriesOfTheTable) {
    // Reply 109 adds South and West after the EW pair; only 4S by N has them stored.
    const QByteArray withSouthWest = bytes({4,  56, 1,  0,  3, 10, 0,  0,  7, 234, 12, 7, 19, 45, 0,  //
                                            5,  28, 44, 55, 3, 10, 21, 22, 7, 220, 7,  4, 14, 5,  9,  //
                                            6,  56, 60, 0,  3, 11, 0,  0,  7, 234, 12, 7, 19, 45, 0,  //
                                            7,  56, 2,  10, 3, 11, 0,  0,  7, 234, 12, 7, 8,  30, 15, //
                                            11, 35, 39, 61, 3, 0,  0,  0,  0, 0,   0,  0, 19, 45, 0,  //
                                            12, 56, 0,  0,  3, 13, 0,  0,  7, 234, 12, 7, 19, 45, 0});
    const StoredCase cases[] = {
        {"A3", 0, false, false, kRound1 + kRound2 + kRound4},
        {"A3", -1, false, false, kRound1 + kRound2 + kRound4},
        {"A3", 2, false, false, kRound2 + kRound4},
        {"A3", 4, false, false, kRound4},
        {"A3", 5, false, false, bytes({0})},
        {"A3", 1, true, false, withSouthWest},
        {"A4", 0, false, true, bytes({1, 33, 30, 0, 2, 118, 7, 234, 12, 7, 19, 45, 0})},
        {"A5", 0, false, false, bytes({0})},
        {"A6", 0, false, false, bytes({0})},
        {"Z3", 0, false, false, bytes({0})},
        {"B3", 0, false, false, bytes({1, 33, 30, 0, 3, 10, 7, 234, 12, 7, 19, 45, 0})},
    };
    for (const StoredCase& c : cases) {
        r.event.bandedPairNumbering = c.banded;
        EXPECT_EQ(stored.getBoardResultData(table(c.tableId), c.firstRound, c.withSouthWest), c.expected)
            << c.tableId << " from round " << c.firstRound;
    }
    EXPECT_TRUE(r.logLines().contains(QStringLiteral("Get board result data for A3")));
}

TEST_F(StoredResultsTest, ValuesThatDoNotFitAByteAreLogged) {
    // Pair 259 is sent as 0; board 300 is left out.
    EXPECT_EQ(stored.getBoardResultData(table("A4"), 0, false),
              bytes({1, 33, 30, 0, 101, 0, 7, 234, 12, 7, 19, 45, 0}));
    EXPECT_EQ(stored.getBoardResultData(table("A9"), 0, false),
              bytes({7, 33, 30, 0, 9, 16, 7, 234, 12, 7, 19, 45, 0}));
    const QStringList lines = r.logLines();
    EXPECT_TRUE(lines.contains(u"Stored result for A4: number 259 does not fit a byte, sent as 0 "_s
                               u"(Database - getBoardResult)"_s))
        << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(u"Stored result for A9 of board 300 left out: the board does not fit a byte "_s
                               u"(Database - getBoardResult)"_s))
        << lines.join(u'\n').toStdString();
}

TEST_F(StoredResultsTest, LongListStopsAtTheReplysRoom) {
    for (const bool withSouthWest : {false, true}) {
        const std::optional<QByteArray> payload = stored.getBoardResultData(table("A7"), 0, withSouthWest);
        ASSERT_TRUE(payload);
        const int entries = withSouthWest ? 90 : 105;
        const int size = withSouthWest ? 15 : 13;
        EXPECT_EQ(payload->size(), entries * size);
        // The last entry sent is the right one: round 1 + (entries - 1) / 30, board.
        EXPECT_EQ(quint8(payload->at((entries - 1) * size)), 1 + (entries - 1) % 30);
        const QString cut = QStringLiteral("Stored board results for A7 cut at ") + QString::number(entries) +
                            QStringLiteral(" results: the reply holds no more (Database - getBoardResult)");
        EXPECT_TRUE(r.logLines().contains(cut)) << r.logLines().join(u'\n').toStdString();
    }
}

TEST_F(StoredResultsTest, CountTableResults) {
    const std::tuple<const char*, qint16, qint16> cases[] = {
        {"A3", 0, 8}, {"A3", 3, 4}, {"A3", 5, 0}, {"A5", 0, 0}, {"A7", 4, 16}, {"Z3", 0, 0}, {"B3", 0, 1},
    };
    for (const auto& [id, firstRound, count] : cases)
        EXPECT_EQ(stored.countTableResults(table(id), firstRound), count)
            << id << " from round " << firstRound;
}

TEST_F(StoredResultsTest, DatabaseFailureGivesNothing) {
    r.db.closeDatabase();
    EXPECT_FALSE(stored.getBoardResultData(table("A3"), 0, false));
    EXPECT_FALSE(stored.countTableResults(table("A3"), 0));
    EXPECT_EQ(r.logLines().filter(QStringLiteral("run-err")).size(), 2);
}

struct FixtureCase {
    const char* fixture;
    const char* tableId;
    qint16 section;
    bool withSouthWest;
    QByteArray expected;
};

TEST(StoredResultsFixtureTest, ResultsOfTheFixtureEvents) {
    const FixtureCase cases[] = {
        // 4S by N with 11 tricks and 3NT by E with 9, NS 1 against EW 8.
        {"mitchell", "A1", 1, false,
         bytes({1, 28, 44, 0, 1, 8, 7, 234, 12, 7, 19, 45, 0, 2, 35, 37, 0, 1, 8, 7, 234, 12, 7, 19, 45, 0})},
        {"mitchell", "A3", 1, false, bytes({0})},
        // 6HXX by W with 12 tricks in section B.
        {"twoSections", "B3", 2, false, bytes({7, 150, 51, 0, 3, 9, 7, 234, 12, 7, 19, 45, 0})},
        {"twoSections", "A3", 1, false, bytes({0})},
        // 1NT by S with 8 tricks: North 1, East 6, South 11, West 16.
        {"individual", "A1", 1, true, bytes({1, 33, 34, 0, 1, 6, 11, 16, 7, 234, 12, 7, 19, 45, 0})},
    };
    for (const FixtureCase& c : cases) {
        for (const test::fixtures::NamedFixture& named : test::fixtures::all()) {
            if (QLatin1String(named.name) != QLatin1String(c.fixture))
                continue;
            EventBuilder b = named.make();
            ScoringEvent r;
            ASSERT_TRUE(r.open(b)) << c.fixture;
            StoredResults stored(r.db, r.log, r.event);
            EXPECT_EQ(stored.getBoardResultData(TableAddress::of(QString::fromLatin1(c.tableId), c.section),
                                                0, c.withSouthWest),
                      c.expected)
                << c.fixture << " " << c.tableId;
        }
    }
}

} // namespace
} // namespace qzc
