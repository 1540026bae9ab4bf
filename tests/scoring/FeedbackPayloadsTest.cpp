#include "scoring/FeedbackPayloads.h"

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

// Scores 5, 10, ... 5 x count on one board, one result each, all below 256 so that each
// goes out as 0 and the score.
void addSteppedScores(EventBuilder& b, int board, int count) {
    for (int i = 1; i <= count; ++i)
        b.addResult(ResultRow::scored(kA, 10 + i, 1, board, 5 * i));
}

// The submitting table is always A1 in round 1; its own result is stored on boards 1-5.
EventBuilder feedbackEvent() {
    EventBuilder b;
    b.addSection(QStringLiteral("A"));
    b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(kA, 7, 7, 3);
    b.addMitchellMovement(kB, 7, 7, 3);
    for (int board = 1; board <= 5; ++board)
        b.addResult(ResultRow::played(kA, 1, 1, board, 1, 8, QStringLiteral("4S"), QStringLiteral("N"), 11));

    // Board 2 (NS vulnerable): 4S by N with 10 tricks (620), 2D by N with no result text
    // stored (90), a passed board at the same table in round 2 (0), 3NT by W (-400); a
    // remark, an erased result and an adjusted score that never count; 6HXX by W in B
    // (-1620).
    ResultRow r = ResultRow::played(kA, 2, 1, 2, 2, 9, QStringLiteral("4S"), QStringLiteral("N"), 10);
    r.leadCard = QStringLiteral("SK");
    b.addResult(r);
    r = ResultRow::played(kA, 7, 1, 2, 7, 14, QStringLiteral("2D"), QStringLiteral("N"), 8);
    r.result = QVariant();
    b.addResult(r);
    r = ResultRow::played(kA, 1, 2, 2, 1, 9, QStringLiteral("PASS"), QString(), 0);
    r.qzDeclarer = QVariant();
    r.leadCard = QVariant();
    b.addResult(r);
    r = ResultRow::played(kA, 3, 1, 2, 3, 10, QStringLiteral("3NT"), QStringLiteral("W"), 9);
    r.leadCard = QStringLiteral("H2");
    b.addResult(r);
    r = ResultRow::played(kA, 4, 1, 2, 4, 11, QStringLiteral("1C"), QStringLiteral("N"), 7);
    r.remarks = QStringLiteral("NP");
    b.addResult(r);
    r = ResultRow::played(kA, 5, 1, 2, 5, 12, QStringLiteral("1C"), QStringLiteral("N"), 7);
    r.erased = true;
    b.addResult(r);
    r = ResultRow::scored(kA, 6, 1, 2, 0);
    r.contract = QString();
    r.remarks = QStringLiteral("60%-40%");
    b.addResult(r);
    b.addResult(ResultRow::played(kB, 1, 1, 2, 1, 8, QStringLiteral("6HXX"), QStringLiteral("W"), 12));

    // Board 3: 16 other results; board 4: 15.
    for (int t = 0; t < 16; ++t)
        b.addResult(ResultRow::scored(kA, 10 + t, 1, 3, 400 - t));
    for (int t = 0; t < 15; ++t)
        b.addResult(ResultRow::scored(kA, 10 + t, 1, 4, 400 - t));
    // Board 5: 40 other results; the six lowest are 1C by N making 7 tricks.
    for (int t = 0; t < 40; ++t) {
        r = ResultRow::scored(kA, 10 + t, 1, 5, 1000 - t);
        if (t >= 34) {
            r.contract = QStringLiteral("1 C");
            r.result = QStringLiteral("=");
        }
        b.addResult(r);
    }
    // Board 10: the one other result has no result text.
    b.addResult(ResultRow::played(kA, 1, 1, 10, 1, 8, QStringLiteral("4S"), QStringLiteral("N"), 11));
    r = ResultRow::played(kA, 2, 1, 10, 2, 9, QStringLiteral("2D"), QStringLiteral("N"), 8);
    r.result = QVariant();
    b.addResult(r);
    // Frequencies only: 34, 35 and 50 distinct scores; a score too common for its count
    // byte beside -420 twice.
    addSteppedScores(b, 6, 34);
    addSteppedScores(b, 7, 35);
    addSteppedScores(b, 8, 50);
    for (int i = 0; i < 300; ++i)
        b.addResult(ResultRow::scored(kA, 100 + i, 1, 9, 100));
    b.addResult(ResultRow::scored(kA, 1, 1, 9, -420));
    b.addResult(ResultRow::scored(kA, 2, 1, 9, -420));
    return b;
}

QByteArray repeated(const QByteArray& entry, int times) {
    QByteArray result;
    for (int i = 0; i < times; ++i)
        result += entry;
    return result;
}

// The stepped scores from 5 x highest down to 5 x lowest, each once.
QByteArray steppedFrequencies(int highest, int lowest) {
    QByteArray result;
    for (int i = highest; i >= lowest; --i)
        result += bytes({0, 5 * i, 1});
    return result;
}

const QByteArray kEndMarker = bytes({167, 15, 255});

class FeedbackPayloadsTest : public testing::Test {
protected:
    void SetUp() override {
        EventBuilder b = feedbackEvent();
        ASSERT_TRUE(r.open(b));
    }

    void configure(bool across, bool imps) {
        r.set(QStringLiteral("custom_qz_scoreacrosspair"),
              across ? QStringLiteral("1") : QStringLiteral("0"));
        r.set(QStringLiteral("custom_qz_scoringtype"), imps ? QStringLiteral("0") : QStringLiteral("1"));
    }

    ScoringEvent r;
    FeedbackPayloads payloads{r.db, r.log, r.settings};
    const TableAddress a1 = TableAddress::of(QStringLiteral("A1"), kA);
};

struct TravellerCase {
    const char* name;
    qint16 board;
    bool across;
    bool imps;
    QByteArray expected;
};

TEST_F(FeedbackPayloadsTest, Traveller) {
    // Contract, result and lead bytes: 4S by N with 10 tricks led SK; 2D made exactly by N;
    // a pass; 3NT by W with 9 tricks led H2; 6HXX by W with 12 tricks.
    const QByteArray board2 = bytes({28, 40, 55, 10, 32, 0, 0, 0, 0, 35, 39, 10});
    const QByteArray threeNt = bytes({35, 36, 0});
    const TravellerCase cases[] = {
        {"first result of the board", 1, false, false, bytes({0})},
        {"own section", 2, false, false, board2},
        {"across the field", 2, true, false, board2 + bytes({150, 51, 0})},
        {"15 others, matchpoints", 4, false, false, repeated(threeNt, 15)},
        {"16 others, matchpoints: withheld", 3, false, false, QByteArray(201, '\0')},
        {"16 others, cross-IMPs", 3, false, true, repeated(threeNt, 16)},
        {"40 others, cross-IMPs: the 34 highest", 5, false, true, repeated(threeNt, 34)},
        {"the only other result has no result text", 10, false, false, bytes({10, 32, 0})},
        {"no result at all", 12, false, false, bytes({0})},
    };
    for (const TravellerCase& c : cases) {
        configure(c.across, c.imps);
        EXPECT_EQ(payloads.getTravelerFeedback(a1, c.board, 1), c.expected) << c.name;
    }
    EXPECT_EQ(r.logLines().count(u"Get traveler feedback data"_s), qsizetype(std::size(cases)));
}

TEST_F(FeedbackPayloadsTest, TravellerLeavesOutOnlyTheRowOfItsRound) {
    configure(false, false);
    // From round 2 the table's round-1 result on board 2 (4S by N, 11 tricks: 650) is
    // another result, and its passed board is its own.
    EXPECT_EQ(payloads.getTravelerFeedback(a1, 2, 2), bytes({28, 44, 0, 28, 40, 55, 10, 32, 0, 35, 39, 10}));
}

struct FrequencyCase {
    const char* name;
    qint16 board;
    bool across;
    QByteArray expected;
};

TEST_F(FeedbackPayloadsTest, Frequencies) {
    // Board 2: 650 (the table's own), 620, 90, 0 and -400 once each; across the field
    // also -1620.
    const QByteArray board2 = bytes({2, 138, 1, 2, 108, 1, 0, 90, 1, 0, 0, 1, 129, 144, 1});
    const FrequencyCase cases[] = {
        {"own result only (450)", 1, false, bytes({1, 194, 1})},
        {"own section", 2, false, board2},
        {"across the field", 2, true, board2 + bytes({134, 84, 1})},
        {"34 scores", 6, false, steppedFrequencies(34, 1)},
        {"35 scores: cut with the end marker", 7, false, steppedFrequencies(35, 3) + kEndMarker},
        {"50 scores: cut with the end marker", 8, false, steppedFrequencies(50, 18) + kEndMarker},
        {"count capped at 255, negative score", 9, false, bytes({0, 100, 255, 129, 164, 2})},
        {"no result", 12, false, bytes({0})},
    };
    for (const FrequencyCase& c : cases) {
        configure(c.across, false);
        EXPECT_EQ(payloads.getFrequencyFeedback(a1, c.board), c.expected) << c.name;
    }
    EXPECT_EQ(r.logLines().count(u"Get frequency feedback data"_s), qsizetype(std::size(cases)));
}

TEST_F(FeedbackPayloadsTest, UnknownSectionHasNothingToSend) {
    configure(false, true);
    const TableAddress unknown = TableAddress::of(QStringLiteral("Z1"), 0);
    EXPECT_EQ(payloads.getTravelerFeedback(unknown, 2, 1), bytes({0}));
    EXPECT_EQ(payloads.getFrequencyFeedback(unknown, 2), bytes({0}));
}

TEST_F(FeedbackPayloadsTest, DatabaseFailureGivesNoPayload) {
    r.db.closeDatabase();
    EXPECT_FALSE(payloads.getTravelerFeedback(a1, 2, 1));
    EXPECT_FALSE(payloads.getFrequencyFeedback(a1, 2));
    const QStringList lines = r.logLines();
    EXPECT_EQ(lines.filter(QStringLiteral("(Database - getTravelerFBdata)")).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("(Database - getFrequencyFBdata)")).size(), 1);
}

} // namespace
} // namespace qzc
