#include "core/PlayedResultScores.h"

#include "scoring/ContractScore.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// A played result is scored as calcContractScore scores it on every board of two vulnerability
// cycles, whatever was asked before; a row that is no played result gets nothing.
TEST(PlayedResultScoresTest, EachBoardScoredAsItsOwnVulnerabilityGives) {
    PlayedResultScores scores;
    for (int round = 0; round < 2; ++round) {
        for (qint16 board = 1; board <= 32; ++board) {
            for (const char* seat : {"N", " e", "W"}) {
                SCOPED_TRACE(testing::Message() << "board " << board << ", declarer " << seat);
                const std::optional<OwnColumnValues>& given =
                    scores.of(board, QStringLiteral("4 S"), QStringLiteral("-2"), QString::fromLatin1(seat));
                ASSERT_TRUE(given.has_value());
                const QString letter = QString::fromLatin1(seat).trimmed().toUpper();
                EXPECT_EQ(given->score, calcContractScore(board, QStringLiteral("4S"), letter, 8));
                EXPECT_EQ(given->declarer, letter);
            }
        }
    }
    EXPECT_EQ(scores.of(3, QStringLiteral("PASS"), QString(), QString())->score, 0);
    EXPECT_FALSE(scores.of(3, QStringLiteral("4S"), QStringLiteral("="), QStringLiteral("X")).has_value());
    EXPECT_FALSE(scores.of(3, QString(), QString(), QStringLiteral("N")).has_value());
}

} // namespace
} // namespace qzc
