// Pair PINs (30, 32), member numbers (40) and the players' names (60), end to end through the
// pseudo-terminal.

#include "DispatcherPtyFixture.h"
#include "gamedata/PairPins.h"
#include "reports/EventPublisher.h"
#include "reports/ResultFile.h"
#include "scoring/ScoreFrequency.h"
#include "support/CaseNames.h"
#include "support/Fixtures.h"
#include "support/OtherProgramLock.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <chrono>
#include <functional>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::Exchange;
using test::ResultRow;
using test::to;
using test::wire::bytes;

/// A name as the terminals get it: its bytes, padded with zero bytes to 20.
QByteArray field(const char* text) {
    QByteArray name(text);
    return name + QByteArray(20 - name.size(), '\0');
}

/// A seat of reply 41: direction letter and table of a conflict (0, 0 when the player may
/// sit), then the name or the number.
QByteArray idBlock(char direction, int table, const char* text) {
    return QByteArray(1, direction) + QByteArray(1, static_cast<char>(table)) + field(text);
}

class DispatcherPlayerTest : public test::DispatcherPtyTest {
protected:
    /// The rows of a table as u"Section|Pair|Direction|PIN"_s, or u"Direction|Number|names|pair"_s of
    /// PlayerNumbers, ordered.
    QStringList rows(const QString& sql) {
        QStringList list;
        std::optional<QSqlQuery> q = data().harness.db.select(sql);
        while (q && q->next()) {
            QStringList fields;
            for (int i = 0; i < q->record().count(); ++i)
                fields << q->value(i).toString();
            list << fields.join(QLatin1Char('|'));
        }
        return list;
    }
    QStringList pins() {
        return rows(QStringLiteral("SELECT Section, Pair, Direction, PIN FROM custom_qz_PlayerPIN"
                                   " ORDER BY Section, Pair, Direction"));
    }
    QStringList seats(int table) {
        return rows(QStringLiteral("SELECT Direction, [Number], custom_qz_names, name, custom_qz_pair FROM "
                                   "PlayerNumbers WHERE Section=1 AND [Table]=%1 ORDER BY Direction")
                        .arg(table));
    }
};

struct PinStep {
    const char* name;
    quint16 terminal;
    const char* request;
    /// Program error code; no reply unless 0.
    qint16 result;
    const char* reply;
    QStringList stored;
};

// The Mitchell: NS pairs stay at their table, EW pair 7 + t starts at table t and moves up a
// table a round. A1 has results of round 1, so it asks about round 2; A3 about round 1.
TEST_F(DispatcherPlayerTest, PairPinsAreStoredForTheRightNumbersAndWrongNumbersLearnTheirTable) {
    test::EventBuilder b = test::fixtures::mitchell();
    b.addTerminal(0x0011, 1, 1);
    b.addTerminal(0x0013, 1, 3);
    start(b);
    const PinStep steps[] = {
        {"wrong numbers: NS 5 plays NS at table 5, EW 8 plays EW at table 1",
         0x0013,
         "1E 05 00 01 08 00 02",
         0,
         "1F 01 05 03 01",
         {}},
        {"NS 3 stays here (no answer); 99 plays nowhere",
         0x0013,
         "1E 03 00 01 63 00 02",
         0,
         "1F 00 00 00 00",
         {}},
        {"a PIN byte above 99: refused, nothing stored, no reply",
         0x0013,
         "1E 03 64 00 0A 00 07",
         1003,
         nullptr,
         {}},
        {"the right numbers: both PINs stored with four digits",
         0x0013,
         "1E 03 0C 22 0A 00 07",
         0,
         "1F 00 00 00 00",
         {u"1|3|NS|1234"_s, u"1|10|EW|0007"_s}},
        {"round 2 at A1 after its round-1 results: NS 1, EW 14",
         0x0011,
         "1E 01 00 00 0E 63 63",
         0,
         "1F 00 00 00 00",
         {u"1|1|NS|0000"_s, u"1|3|NS|1234"_s, u"1|10|EW|0007"_s, u"1|14|EW|9999"_s}},
        {"a new PIN replaces the pair's",
         0x0013,
         "1E 03 2B 43 0A 00 07",
         0,
         "1F 00 00 00 00",
         {u"1|1|NS|0000"_s, u"1|3|NS|4367"_s, u"1|10|EW|0007"_s, u"1|14|EW|9999"_s}},
    };
    for (const PinStep& s : steps) {
        SCOPED_TRACE(s.name);
        const Exchange e = send(s.terminal, s.request);
        EXPECT_EQ(e.result, s.result);
        EXPECT_EQ(e.frames, s.reply ? QList<QByteArray>{to(s.terminal, s.reply)} : QList<QByteArray>{});
        EXPECT_EQ(pins(), s.stored);
    }
}

TEST_F(DispatcherPlayerTest, BandedNumbersAreMappedBackOnTheWayInAndConvertedOnTheWayOut) {
    // Section A: NS 1-10, EW 101-110; the terminals know pair n as 2n - 1 and 100 + n as 2n.
    test::EventBuilder b = test::fixtures::bandedPairs();
    b.addTerminal(0x0022, 1, 2);
    start(b);
    ASSERT_TRUE(data().harness.event.bandedPairNumbering);

    // NS 3 (pair 2) is right; EW 2 is pair 101, which plays EW at table 1.
    Exchange e = send(0x0022, "1E 03 00 01 02 00 02");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0022, "1F 00 00 03 01")});
    EXPECT_TRUE(pins().isEmpty());
    // No NS pair is known as 4: no seating, although read raw 4 is the NS pair of table 4.
    e = send(0x0022, "1E 04 00 01 02 00 02");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0022, "1F 00 00 03 01")});

    e = send(0x0022, "1E 03 0C 22 04 38 4E");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0022, "1F 00 00 00 00")});
    EXPECT_EQ(pins(), (QStringList{u"1|2|NS|1234"_s, u"1|102|EW|5678"_s}));
    // The section's PINs for a terminal carry the terminals' numbers again.
    PairPins list(data().harness.db, data().harness.log, data().gameData, data().harness.event);
    EXPECT_EQ(list.getSectionPINData(QStringLiteral("A")), std::optional<QByteArray>(bytes("04 38 4E")));
    EXPECT_EQ(list.getPairPINList(), QStringLiteral("A0004,5678;"));
}

// The terminals know pairs 1 and 301 as 1, 101 and 201 as 2, 2 as 3 and 103 as 6. A1 has
// stored round 1 (1 v 101) and seats 301 v 201 next; A3 has stored round 1, sits out round 2
// (NS 2, no EW pair) and seats 2 v 103 in round 3.
TEST_F(DispatcherPlayerTest, BandedNumbersAreReadInTheRoundBeingSeated) {
    test::EventBuilder b;
    const int a = b.addSection(u"A"_s);
    const int pairs[3][3][2] = {
        {{1, 101}, {301, 201}, {2, 102}}, {{301, 201}, {1, 101}, {2, 0}}, {{1, 102}, {301, 101}, {2, 103}}};
    for (int r = 0; r < 3; ++r) {
        for (int t = 0; t < 3; ++t) {
            const int boards = 2 * ((t + r) % 3);
            b.addRound(test::RoundRow{a, t + 1, r + 1, pairs[r][t][0], pairs[r][t][1], 0, 0, boards + 1,
                                      boards + 2});
        }
    }
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 101, u"3NT"_s, u"N"_s, 9));
    b.addResult(ResultRow::played(a, 3, 1, 5, 2, 102, u"3NT"_s, u"N"_s, 9));
    b.addRegisteredPlayer(a, 1, u"N"_s, u"11"_s, u"Ann"_s, 1);
    b.addRegisteredPlayer(a, 1, u"E"_s, u"12"_s, u"Ed"_s, 101);
    b.addRegisteredPlayer(a, 2, u"N"_s, u"21"_s, u"Sam"_s, 301);
    b.addRegisteredPlayer(a, 2, u"E"_s, u"22"_s, u"Bea"_s, 201);
    b.addTerminal(0x0011, a, 1);
    b.addTerminal(0x0013, a, 3);
    start(b);
    ASSERT_TRUE(data().harness.event.bandedPairNumbering);

    EXPECT_EQ(send(0x0011, "1E 01 0C 22 02 38 4E").frames, QList<QByteArray>{to(0x0011, "1F 00 00 00 00")});
    EXPECT_EQ(send(0x0013, "1E 03 00 07 06 00 08").frames, QList<QByteArray>{to(0x0013, "1F 00 00 00 00")});
    EXPECT_EQ(pins(),
              (QStringList{u"1|2|NS|0007"_s, u"1|103|EW|0008"_s, u"1|201|EW|5678"_s, u"1|301|NS|1234"_s}));
    const QByteArray names =
        QByteArray::fromHex("3D50") + field("Sam") + field("Bea") + field("n/a") + field("n/a");
    EXPECT_EQ(send(0x0011, "3C 01 02").frames, QList<QByteArray>{to(0x0011, names)});
}

struct SitOutCase {
    const char* name;
    bool banded;
    /// Pairs 3 and 4, then pairs 2 and 4, as the terminals number them.
    const char* wrongPairs;
    const char* rightPairs;
};
void PrintTo(const SitOutCase& c, std::ostream* os) {
    *os << c.name;
}

class DispatcherSitOutTest : public DispatcherPlayerTest, public ::testing::WithParamInterface<SitOutCase> {};

// Five pairs on three tables: round 1 A1 1-2, A2 3-4, A3 5-0; round 2 A1 3-5, A2 1-0, A3 2-4.
// A1 and A2 have stored round 1; A3, which sat out, stores nothing in it and seats round 2.
TEST_P(DispatcherSitOutTest, ATableAfterItsSitOutSeatsTheRoundAfterIt) {
    const SitOutCase& c = GetParam();
    test::EventBuilder b;
    const int pairs[2][3][2] = {{{1, 2}, {3, 4}, {5, 0}}, {{3, 5}, {1, 0}, {2, 4}}};
    // Banded: the section again from 101, 201 and 301.
    for (int band = 0; band < (c.banded ? 4 : 1); ++band) {
        const int s = b.addSection(QString(QLatin1Char('A' + band)));
        for (int r = 0; r < 2; ++r) {
            for (int t = 0; t < 3; ++t) {
                const int ew = pairs[r][t][1] > 0 ? pairs[r][t][1] + 100 * band : 0;
                b.addRound(test::RoundRow{s, t + 1, r + 1, pairs[r][t][0] + 100 * band, ew, 0, 0, 2 * t + 1,
                                          2 * t + 2});
            }
        }
    }
    b.addResult(ResultRow::played(1, 1, 1, 1, 1, 2, u"3NT"_s, u"N"_s, 9));
    b.addResult(ResultRow::played(1, 2, 1, 3, 3, 4, u"3NT"_s, u"N"_s, 9));
    b.addRegisteredPlayer(1, 2, u"E"_s, u"22"_s, u"Eve"_s, 4);
    b.addTerminal(0x0013, 1, 3);
    start(b);
    ASSERT_EQ(data().harness.event.bandedPairNumbering, c.banded);

    // Pair 3 plays NS at A1 in round 2; pair 4 belongs here.
    EXPECT_EQ(send(0x0013, c.wrongPairs).frames, QList<QByteArray>{to(0x0013, "1F 01 01 00 00")});
    EXPECT_TRUE(pins().isEmpty());
    EXPECT_EQ(send(0x0013, c.rightPairs).frames, QList<QByteArray>{to(0x0013, "1F 00 00 00 00")});
    EXPECT_EQ(pins(), (QStringList{u"1|2|NS|1234"_s, u"1|4|EW|5678"_s}));
    // Asked for the round's names, A3 gets those of round 2: pair 4 (home A2 EW) plays EW.
    const QByteArray round2 =
        QByteArray::fromHex("3D50") + field("n/a") + field("Eve") + field("n/a") + field("n/a");
    EXPECT_EQ(send(0x0013, "3C").frames, QList<QByteArray>{to(0x0013, round2)});
    EXPECT_EQ(data().value(u"SELECT custom_qz_roundNameSent FROM Tables WHERE Section=1 AND [Table]=3"_s), 2);
}

INSTANTIATE_TEST_SUITE_P(
    PlainAndBanded, DispatcherSitOutTest,
    ::testing::Values(SitOutCase{"plain", false, "1E 03 00 01 04 00 02", "1E 02 0C 22 04 38 4E"},
                      SitOutCase{"banded", true, "1E 05 00 01 07 00 02", "1E 03 0C 22 07 38 4E"}),
    test::CaseName());

struct SeatedRoundCase {
    const char* name;
    std::function<void(test::EventBuilder&)> event;
    /// The table of section A whose terminal asks.
    int table = 0;
    /// Makes seats empty in the started event before its game data is loaded again.
    QString phantoms;
    /// The scoring program's change after that, which memory learns only at the next analysis.
    QString late;
    bool individual = false;
    /// PIN requests and their replies, in order, then the PINs stored.
    std::vector<std::pair<const char*, const char*>> requests;
    QStringList pins;
    /// The round whose names a request without numbers marks; 0 when not asked.
    int namesRound = 0;
};
void PrintTo(const SeatedRoundCase& c, std::ostream* os) {
    *os << c.name;
}

class DispatcherSeatedRoundTest : public DispatcherPlayerTest,
                                  public ::testing::WithParamInterface<SeatedRoundCase> {};

TEST_P(DispatcherSeatedRoundTest, PinsAndNamesSeatTheRoundTheTablePlays) {
    const SeatedRoundCase& c = GetParam();
    test::EventBuilder b;
    c.event(b);
    b.addTerminal(0x0011, 1, c.table);
    start(b);
    if (c.individual)
        setSetting("custom_qz_gametype", "1");
    ASSERT_TRUE(c.phantoms.isEmpty() || data().exec(c.phantoms));
    data().reload();
    ASSERT_TRUE(c.late.isEmpty() || data().exec(c.late));

    for (const auto& [request, reply] : c.requests) {
        SCOPED_TRACE(request);
        EXPECT_EQ(send(0x0011, request).frames, QList<QByteArray>{to(0x0011, reply)});
    }
    EXPECT_EQ(pins(), c.pins);
    if (c.namesRound > 0) {
        EXPECT_EQ(send(0x0011, "3C").frames.size(), 1);
        EXPECT_EQ(
            data()
                .value(u"SELECT custom_qz_roundNameSent FROM Tables WHERE Section=1 AND [Table]=%1"_s.arg(
                    c.table))
                .toInt(),
            c.namesRound);
    }
}

/// A Mitchell of six tables whose EW pair 6 (106 with banded numbers) is missing: A6 sits out
/// round 1.
void mitchellWithoutEw6(test::EventBuilder& b, bool banded) {
    b.addMitchellMovement(b.addSection(u"A"_s), 6, 5, 2, test::PairNumbering{1, banded ? 101 : 1});
    if (banded)
        b.addMitchellMovement(b.addSection(u"B"_s), 6, 5, 2, test::PairNumbering{201, 301});
}

/// Rows of one table of section A, each "NS/EW" or "N/E/S/W", two boards a round.
void tableRows(test::EventBuilder& b, int table, const QStringList& rounds) {
    const int a = b.addSection(u"A"_s);
    for (int r = 0; r < rounds.size(); ++r) {
        const QStringList seats = rounds[r].split(u'/');
        const auto seat = [&](int k) {
            return k < seats.size() ? seats[k].toInt() : 0;
        };
        b.addRound(test::RoundRow{a, table, r + 1, seat(0), seat(1), seat(2), seat(3), 2 * r + 1, 2 * r + 2});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatcherSeatedRoundTest,
    ::testing::Values(
        // The empty side's number is taken as sent; banded, as the pair it converts from.
        SeatedRoundCase{"a table in its own sit-out round, plain",
                        [](test::EventBuilder& b) { mitchellWithoutEw6(b, false); },
                        6,
                        u"UPDATE RoundData SET EWPair=0 WHERE EWPair=6"_s,
                        {},
                        false,
                        {{"1E 06 01 02 06 03 04", "1F 00 00 00 00"}},
                        {u"1|6|EW|0304"_s, u"1|6|NS|0102"_s}},
        SeatedRoundCase{"a table in its own sit-out round, banded",
                        [](test::EventBuilder& b) { mitchellWithoutEw6(b, true); },
                        6,
                        u"UPDATE RoundData SET EWPair=0 WHERE EWPair=106"_s,
                        {},
                        false,
                        {{"1E 0B 01 02 0C 03 04", "1F 00 00 00 00"}},
                        {u"1|6|NS|0102"_s, u"1|106|EW|0304"_s}},
        // Player 12 is missing: A3 sits out round 1 and seats 1/8/11/6 in round 2.
        SeatedRoundCase{"an individual game's missing player",
                        [](test::EventBuilder& b) {
                            tableRows(b, 3, {u"9/10/11/0"_s, u"1/8/11/6"_s});
                        },
                        3,
                        {},
                        {},
                        true,
                        {{"20 01 00 01 08 00 02 0B 06", "21 00 00 00 00 00 00 00 00"}},
                        {u"1|1|NS|0001"_s, u"1|6|EW|0002"_s, u"1|8|EW|0002"_s, u"1|11|NS|0001"_s},
                        2},
        // Two phantoms meet at A1 in round 2.
        SeatedRoundCase{"a round that seats no one",
                        [](test::EventBuilder& b) {
                            tableRows(b, 1, {u"1/2"_s, u"0/0"_s, u"3/6"_s});
                            b.addResult(ResultRow::played(1, 1, 1, 1, 1, 2, u"3NT"_s, u"N"_s, 9));
                        },
                        1,
                        {},
                        {},
                        false,
                        {{"1E 03 00 01 06 00 02", "1F 00 00 00 00"}},
                        {u"1|3|NS|0001"_s, u"1|6|EW|0002"_s},
                        3},
        // EW 5 was missing (A1 sat out round 2); a late pair takes its place in RoundData while
        // memory still holds the sit-out: 1 v 4 is round 3's, EW 4 plays at A5 in round 2.
        SeatedRoundCase{
            "a late pair that fills a sit-out",
            [](test::EventBuilder& b) {
                b.addMitchellMovement(b.addSection(u"A"_s), 5, 5, 2, test::PairNumbering{1, 1});
                b.addResult(ResultRow::played(1, 1, 1, 1, 1, 1, u"3NT"_s, u"N"_s, 9));
            },
            1,
            u"UPDATE RoundData SET EWPair=0 WHERE EWPair=5"_s,
            u"UPDATE RoundData SET EWPair=5 WHERE EWPair=0 AND Round>=2"_s,
            false,
            {{"1E 01 00 01 04 00 02", "1F 00 00 03 05"}, {"1E 01 0B 0B 05 37 37", "1F 00 00 00 00"}},
            {u"1|1|NS|1111"_s, u"1|5|EW|5555"_s}},
        // An individual game on a Mitchell numbered NS 1-6 and EW 1-6, EW 6 missing: played by
        // pairs, NS and EW apart. A stray EW 3 at A2 plays EW at A3; NS 2 stays.
        SeatedRoundCase{"a pairs movement in an individual game, a stray EW pair",
                        [](test::EventBuilder& b) { mitchellWithoutEw6(b, false); },
                        2,
                        u"UPDATE RoundData SET EWPair=0 WHERE EWPair=6"_s,
                        {},
                        true,
                        {{"1E 02 00 01 03 00 02", "1F 00 00 03 03"}},
                        {}},
        // A Howell (pairs change direction) renumbered by the scoring program as a Mitchell of NS
        // 1-3 and EW 1-3 (EW moving up a table), not yet taken up: as the tables are told at
        // login, NS and EW are apart. A stray EW 2 at A1 plays EW at A2; A1's PINs of NS 1 and
        // EW 1 are stored and read back one row each.
        SeatedRoundCase{"a movement renumbered apart, not yet taken up",
                        [](test::EventBuilder& b) { b.addHowellMovement(b.addSection(u"A"_s), 6, 3, 2); },
                        1,
                        {},
                        u"UPDATE RoundData SET NSPair=[Table], EWPair=([Table]-Round+3)%3+1"_s,
                        false,
                        {{"1E 01 00 01 02 00 02", "1F 00 00 03 02"},
                         {"1E 01 0C 22 01 38 4E", "1F 00 00 00 00"},
                         {"3A", "3B 11 01 38 4E"}},
                        {u"1|1|EW|5678"_s, u"1|1|NS|1234"_s}}),
    test::CaseName());

// Banded A: NS 1-3, EW 101-103 (known as 1, 3, 5 and 2, 4, 6). A1 has stored round 1 and
// plays 1 v 103 in round 2, 1 v 102 in round 3; 1 sits at A1, 103 at A3 in round 1.
TEST_F(DispatcherPlayerTest, BandedNamesAreAnsweredAgainInTheRoundBeingPlayed) {
    test::EventBuilder b;
    b.addMitchellMovement(b.addSection(u"A"_s), 3, 3, 2, test::PairNumbering{1, 101});
    b.addMitchellMovement(b.addSection(u"B"_s), 3, 3, 2, test::PairNumbering{201, 301});
    b.setStanza(1, 1, 3);
    b.setStanza(2, 1, 3);
    b.addResult(ResultRow::played(1, 1, 1, 1, 1, 101, u"3NT"_s, u"N"_s, 9));
    b.addRegisteredPlayer(1, 1, u"N"_s, u"11"_s, u"Ann"_s, 1);
    b.addRegisteredPlayer(1, 1, u"S"_s, u"13"_s, u"Sue"_s, 1);
    b.addRegisteredPlayer(1, 3, u"E"_s, u"32"_s, u"Eve"_s, 103);
    b.addRegisteredPlayer(1, 3, u"W"_s, u"34"_s, u"Wes"_s, 103);
    b.addTerminal(0x0011, 1, 1);
    start(b);
    ASSERT_TRUE(data().harness.event.bandedPairNumbering);
    const QList<QByteArray> round2{
        to(0x0011, QByteArray::fromHex("3D50") + field("Ann") + field("Eve") + field("Sue") + field("Wes"))};

    EXPECT_EQ(send(0x0011, "3C 01 06").frames, round2);
    // Board 3 of round 2 stored: the terminal restarts and asks again.
    EXPECT_EQ(send(0x0011, "34 03 23 24 40 01 06").result, 0);
    EXPECT_EQ(send(0x0011, "3C 01 06").frames, round2);
    // 3 v 2 is neither round 2 nor round 3 at A1.
    EXPECT_EQ(send(0x0011, "3C 03 02").frames,
              QList<QByteArray>{to(0x0011, QByteArray::fromHex("3D50") + field("n/a") + field("n/a") +
                                               field("n/a") + field("n/a"))});
}

TEST_F(DispatcherPlayerTest, FourPlayerPinsInAnIndividualGame) {
    // Round 1 at table 2: North 2, East 7, South 12, West 17; player 16 plays West at table 1.
    test::EventBuilder b = test::fixtures::individual();
    b.addTerminal(0x0012, 1, 2);
    start(b);
    setSetting("custom_qz_gametype", "1");
    // The movement as an individual game reads it: nobody keeps a direction.
    data().reload();

    Exchange e = send(0x0012, "20 02 00 01 07 00 02 10 11");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0012, "21 00 00 00 00 07 01 00 00")});
    EXPECT_TRUE(pins().isEmpty());

    e = send(0x0012, "20 02 00 01 07 00 02 0C 11");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0012, "21 00 00 00 00 00 00 00 00")});
    EXPECT_EQ(pins(),
              (QStringList{u"1|2|NS|0001"_s, u"1|7|EW|0002"_s, u"1|12|NS|0001"_s, u"1|17|EW|0002"_s}));
}

TEST_F(DispatcherPlayerTest, MemberNumbersAreStoredWithTheirNamesUnlessSeatedElsewhere) {
    test::EventBuilder b = test::fixtures::mitchell();
    b.addTerminal(0x0013, 1, 3);
    b.addPlayerName(1001, QStringLiteral("Ann Able"));
    b.addPlayerName(1002, QStringLiteral("Annabelle Marie Christensen"));
    b.addRegisteredPlayer(1, 7, QStringLiteral("E"), QStringLiteral("123456789012"), QStringLiteral("Ed"),
                          14);
    b.addRegisteredPlayer(1, 3, QStringLiteral("W"), QStringLiteral("1003"), QStringLiteral("Cy"), 10);
    start(b);

    // 1003 sits at this table already (named there), 123456789012 at East of table 7: nothing
    // is stored and the table's seats are blank.
    Exchange e =
        send(0x0013, "28 00 00 00 00 0A 01  00 00 00 00 0A 03  0C 22 38 4E 5A 0C  00 00 00 00 00 00");
    const QByteArray conflict = QByteArray::fromHex("29") + idBlock(0, 0, "Ann Able") + idBlock(0, 0, "Cy") +
                                idBlock('E', 7, "123456789012") + idBlock(0, 0, "n/a");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0013, conflict)});
    EXPECT_EQ(seats(3), QStringList{u"W||||0"_s});
    EXPECT_TRUE(
        data().value(QStringLiteral("SELECT custom_qz_roundNameSent FROM Tables WHERE [Table]=3")).isNull());

    // A number byte above 99 is refused.
    e = send(0x0013, "28 00 00 00 00 0A 01  00 00 00 00 0A 02  00 00 00 00 0A 03  00 00 00 00 00 64");
    EXPECT_EQ(e.result, 1003);
    EXPECT_TRUE(e.frames.isEmpty());

    e = send(0x0013, "28 00 00 00 00 0A 01  00 00 00 00 0A 02  00 00 00 00 0A 03  00 00 00 00 00 00");
    const QByteArray seated = QByteArray::fromHex("29") + idBlock(0, 0, "Ann Able") +
                              idBlock(0, 0, "Annabe M Christensen") + idBlock(0, 0, "1003") +
                              idBlock(0, 0, "n/a");
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0013, seated)});
    EXPECT_EQ(seats(3),
              (QStringList{u"E|1002|Annabe M Christensen|Anna M Christensen|10"_s,
                           u"N|1001|Ann Able|Ann Able|3"_s, u"S|1003|1003|1003|3"_s, u"W|0|n/a|n/a|10"_s}));
    EXPECT_EQ(data().value(QStringLiteral("SELECT custom_qz_roundNameSent FROM Tables WHERE [Table]=3")), 1);
    EXPECT_EQ(rig.names.registeredNameList().size(), 5u);

    // The scoring program seats 1004 at East of table 7 while the registration waits for the
    // write lock: a conflict, and table 7 keeps him.
    {
        const test::OtherProgramLock scoringProgram(
            data().harness.db.path(), std::chrono::milliseconds(300),
            QStringLiteral("UPDATE PlayerNumbers SET [Number]='1004' WHERE [Table]=7 AND Direction='E'"));
        e = send(0x0013, "28 00 00 00 00 0A 04  00 00 00 00 0A 02  00 00 00 00 0A 03  00 00 00 00 00 00");
    }
    EXPECT_EQ(e.frames, QList<QByteArray>{to(0x0013, QByteArray::fromHex("29") + idBlock('E', 7, "1004") +
                                                         idBlock(0, 0, "Annabe M Christensen") +
                                                         idBlock(0, 0, "1003") + idBlock(0, 0, "n/a"))});
    EXPECT_EQ(data().value(QStringLiteral("SELECT [Number] FROM PlayerNumbers WHERE [Table]=7")), u"1004"_s);
}

TEST_F(DispatcherPlayerTest, EachPlayerOfAnIndividualGameKeepsTheirOwnSeat) {
    // Round 1 at table 1: North 1, East 6, South 11, West 16.
    test::EventBuilder b = test::fixtures::individual();
    b.addTerminal(0x0011, 1, 1);
    const char* const players[] = {"Nan North", "Ed East", "Sue South", "Wes West"};
    for (int k = 0; k < 4; ++k)
        b.addPlayerName(1001 + k, QString::fromLatin1(players[k]));
    start(b);
    setSetting("custom_qz_gametype", "1");
    data().reload();

    send(0x0011, "28 00 00 00 00 0A 01  00 00 00 00 0A 02  00 00 00 00 0A 03  00 00 00 00 0A 04");
    EXPECT_EQ(rows(QStringLiteral("SELECT Direction, [Number], custom_qz_pair FROM PlayerNumbers"
                                  " ORDER BY Direction")),
              (QStringList{u"E|1002|6"_s, u"N|1001|1"_s, u"S|1003|11"_s, u"W|1004|16"_s}));

    // Every player is named once among the contestants of the result file, under their own number.
    ScoreFrequency boards(data().harness.db, data().harness.log, data().harness.settings);
    ResultFile file(data().harness.db, data().harness.settings, data().harness.log, boards);
    QString reason;
    const QString text =
        file.makeResultText(resultFileGameData(data().gameData, data().harness.event), reason)
            .value_or(reason);
    QStringList named;
    const QRegularExpression namedLine(QStringLiteral("^A;\\d+;[NESW];\"[^\"]+\""));
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (const QRegularExpressionMatch m = namedLine.match(line); m.hasMatch())
            named << m.captured();
    }
    EXPECT_EQ(named, (QStringList{u"A;1;N;\"Nan North\""_s, u"A;6;E;\"Ed East\""_s, u"A;11;S;\"Sue South\""_s,
                                  u"A;16;W;\"Wes West\""_s}));
}

TEST_F(DispatcherPlayerTest, RoundNamesGoOutOncePerRoundAndAgainWithinTheRepeatWindow) {
    // A3 has stored round 1: round 2 seats NS 3 and EW 9, whose home seat is table 2.
    test::EventBuilder b = test::fixtures::mitchell();
    b.addTerminal(0x0013, 1, 3);
    b.addResult(ResultRow::played(1, 3, 1, 7, 3, 10, QStringLiteral("4S"), QStringLiteral("N"), 10));
    b.addRegisteredPlayer(1, 3, QStringLiteral("N"), QStringLiteral("31"), QStringLiteral("Nora"), 3);
    b.addRegisteredPlayer(1, 3, QStringLiteral("S"), QStringLiteral("33"),
                          QStringLiteral("Sebastian Alexander Smith"), 3);
    b.addRegisteredPlayer(1, 2, QStringLiteral("E"), QStringLiteral("12"), QStringLiteral("Eve"), 9);
    b.addRegisteredPlayer(1, 3, QStringLiteral("E"), QStringLiteral("32"), QStringLiteral("Not Here"), 10);
    start(b);
    const QByteArray round2 = QByteArray::fromHex("3D50") + field("Nora") + field("Eve") +
                              field("Sebastian Alexander ") + field("n/a");
    QList<QByteArray> names{to(0x0013, round2)};
    auto sentRound = [this] {
        return data().value(QStringLiteral("SELECT custom_qz_roundNameSent FROM Tables WHERE [Table]=3"));
    };

    EXPECT_EQ(send(0x0013, "3C").frames, names);
    EXPECT_EQ(sentRound(), 2);

    data().harness.clock.advance(5000);
    EXPECT_EQ(send(0x0013, "3C").frames, names);
    data().harness.clock.advance(30000);
    Exchange e = send(0x0013, "3C 00");
    EXPECT_EQ(e.result, 0);
    EXPECT_TRUE(e.frames.isEmpty());
    EXPECT_TRUE(
        logged(QStringLiteral("For A3, player names for round up to 2 is already sent (getSeatPlayerName)")));
    EXPECT_TRUE(logged(QStringLiteral("Ignore message (doMsg)")));

    // Named pairs are answered whatever was sent: EW 10 plays at its own table.
    const QByteArray pairs10 = QByteArray::fromHex("3D50") + field("Nora") + field("Not Here") +
                               field("Sebastian Alexander ") + field("n/a");
    EXPECT_EQ(send(0x0013, "3C 03 0A").frames, QList<QByteArray>{to(0x0013, pairs10)});
}

} // namespace
} // namespace qzc
