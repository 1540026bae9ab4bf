#include "support/EventBuilder.h"

#include "support/EventHarness.h"

#include <QSet>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace qzc {
namespace {

using test::EventBuilder;

struct Seat {
    int table;
    int round;
    std::vector<int> players;
    int low;
    int high;
};

std::vector<Seat> movementOf(EventBuilder& builder) {
    test::EventHarness h;
    std::vector<Seat> seats;
    const QString path = h.build(builder);
    if (path.isEmpty() || !h.db.open(path))
        return seats;
    auto query = h.db.select(QStringLiteral("SELECT [Table], Round, NSPair, EWPair, South, West, LowBoard, "
                                            "HighBoard FROM RoundData ORDER BY [Table], Round"));
    while (query && query->next()) {
        Seat s{query->value(0).toInt(),
               query->value(1).toInt(),
               {},
               query->value(6).toInt(),
               query->value(7).toInt()};
        for (int i = 2; i <= 5; ++i) {
            if (query->value(i).toInt() > 0)
                s.players.push_back(query->value(i).toInt());
        }
        seats.push_back(s);
    }
    return seats;
}

TEST(EventBuilderTest, MovementsSeatEveryoneOncePerRoundAndNeverReplayABoard) {
    struct Case {
        const char* name;
        std::function<void(EventBuilder&, int)> add;
        int rows;
        int playersPerTable;
        int players;
    };
    const Case cases[] = {
        {"Mitchell, odd", [](EventBuilder& b, int s) { b.addMitchellMovement(s, 7, 7, 3); }, 49, 2, 14},
        {"Mitchell, even with skip", [](EventBuilder& b, int s) { b.addMitchellMovement(s, 6, 5, 3); }, 30, 2,
         12},
        {"Howell", [](EventBuilder& b, int s) { b.addHowellMovement(s, 10, 9, 2); }, 45, 2, 10},
        {"individual", [](EventBuilder& b, int s) { b.addIndividualMovement(s, 5, 5, 2); }, 25, 4, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventBuilder builder;
        c.add(builder, builder.addSection(QStringLiteral("A")));
        const std::vector<Seat> seats = movementOf(builder);
        ASSERT_EQ(static_cast<int>(seats.size()), c.rows);
        std::map<int, std::multiset<int>> byRound;
        std::set<std::pair<int, int>> playerBoards;
        std::set<int> everyone;
        for (const Seat& s : seats) {
            ASSERT_EQ(static_cast<int>(s.players.size()), c.playersPerTable);
            EXPECT_GE(s.low, 1);
            EXPECT_LE(s.high, 63);
            for (int p : s.players) {
                byRound[s.round].insert(p);
                everyone.insert(p);
                for (int b = s.low; b <= s.high; ++b)
                    EXPECT_TRUE(playerBoards.insert({p, b}).second) << "player " << p << " board " << b;
            }
        }
        EXPECT_EQ(static_cast<int>(everyone.size()), c.players);
        for (const auto& [round, players] : byRound) {
            for (int p : players)
                EXPECT_EQ(players.count(p), 1u) << "round " << round << " player " << p;
        }
    }
}

TEST(EventBuilderTest, HowellPairsPlayBothDirections) {
    EventBuilder builder;
    builder.addHowellMovement(builder.addSection(QStringLiteral("A")), 10, 9, 2);
    std::map<int, std::set<int>> directions;
    for (const Seat& s : movementOf(builder)) {
        directions[s.players[0]].insert(0);
        directions[s.players[1]].insert(1);
    }
    for (const auto& [pair, seen] : directions)
        EXPECT_EQ(seen.size(), 2u) << "pair " << pair;
}

TEST(EventBuilderTest, ValuesForColumnsTheDatabaseLacksAreRefused) {
    EventBuilder builder;
    builder.addIndividualMovement(builder.addSection(QStringLiteral("A")), 2, 2, 2);
    builder.withoutOwnSchema();
    test::TempFolder folder;
    EXPECT_FALSE(builder.build(folder.filePath(QStringLiteral("x.db"))));
    EXPECT_TRUE(builder.lastError().contains(QLatin1String("South")));
}

} // namespace
} // namespace qzc
