#include "scoring/ContractScore.h"

#include <array>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

// The duplicate scoring table written out on its own, to check the kernel against.
constexpr std::array<int, 8> minorContractPoints{0, 20, 40, 60, 80, 100, 120, 140};
constexpr std::array<int, 8> majorContractPoints{0, 30, 60, 90, 120, 150, 180, 210};
constexpr std::array<int, 8> noTrumpContractPoints{0, 40, 70, 100, 130, 160, 190, 220};
// Total penalty for 0 to 13 doubled undertricks; redoubled is twice that.
constexpr std::array<int, 14> doubledDownNotVul{0,    100,  300,  500,  800,  1100, 1400,
                                                1700, 2000, 2300, 2600, 2900, 3200, 3500};
constexpr std::array<int, 14> doubledDownVul{0,    200,  500,  800,  1100, 1400, 1700,
                                             2000, 2300, 2600, 2900, 3200, 3500, 3800};

int expectedDeclarerScore(int level, int strain, int doubling, bool vul, int tricks) {
    const int multiplier = doubling == 0 ? 1 : doubling == 1 ? 2 : 4;
    const int needed = level + 6;
    if (tricks < needed) {
        const int down = needed - tricks;
        if (doubling == 0)
            return -down * (vul ? 100 : 50);
        return -(vul ? doubledDownVul : doubledDownNotVul)[down] * (multiplier / 2);
    }
    const bool minor = strain < 2;
    const int contract = (strain == 4 ? noTrumpContractPoints
                          : minor     ? minorContractPoints
                                      : majorContractPoints)[level] *
                         multiplier;
    const int overtrickValue = doubling == 0 ? (minor ? 20 : 30) : (vul ? 200 : 100) * doubling;
    int score = contract + (tricks - needed) * overtrickValue + 50 * doubling;
    score += contract >= 100 ? (vul ? 500 : 300) : 50;
    if (level == 6)
        score += vul ? 750 : 500;
    if (level == 7)
        score += vul ? 1500 : 1000;
    return score;
}

TEST(ContractScoreTest, MatchesDuplicateScoringTable) {
    const std::array<QString, 5> strains{u"C"_s, u"D"_s, u"H"_s, u"S"_s, u"NT"_s};
    const std::array<QString, 3> doublings{u""_s, u"X"_s, u"XX"_s};
    // Board 1: nobody vulnerable; board 4: both sides.
    for (int board : {1, 4})
        for (const QString& declarer : {u"N"_s, u"E"_s, u"S"_s, u"W"_s})
            for (int level = 1; level <= 7; ++level)
                for (int strain = 0; strain < 5; ++strain)
                    for (int doubling = 0; doubling < 3; ++doubling)
                        for (int tricks = 0; tricks <= 13; ++tricks) {
                            const QString contract =
                                QString::number(level) + strains[strain] + doublings[doubling];
                            const int sign = declarer == u"E"_s || declarer == u"W"_s ? -1 : 1;
                            const int expected =
                                sign * expectedDeclarerScore(level, strain, doubling, board == 4, tricks);
                            ASSERT_EQ(calcContractScore(board, contract, declarer, tricks), expected)
                                << contract.toStdString() << " by " << declarer.toStdString() << " board "
                                << board << " tricks " << tricks;
                        }
}

struct KnownScore {
    qint16 board;
    const char* contract;
    const char* declarer;
    qint16 tricks;
    qint16 score;
};

TEST(ContractScoreTest, KnownScores) {
    const KnownScore cases[] = {
        {1, "4S", "N", 10, 420},     {2, "3NT", "S", 10, 630},    {1, "1NTXX", "N", 7, 560},
        {2, "1NTXX", "N", 7, 760},   {4, "7NTXX", "N", 13, 2980}, {3, "3NTX", "W", 6, 800},
        {1, "1CX", "N", 6, -100},    {2, "4SX", "N", 11, 990},    {1, "3NTX", "W", 5, 800},
        {2, "4HXX", "N", 7, -1600},  {4, "7NTXX", "E", 0, 7600},  {1, "3NT", "E", 9, -400},
        {2, "4S", "NS", 10, 620},    {3, "4S", "EW", 10, -620},   {1, "3nt", " e", 9, -400},
        {1, "4 S X", "N", 10, 590},  {1, "4N", "N", 10, 430},     {4, "7NTXX", "N", -5, -7600},
        {4, "7NTXX", "N", 20, 2980}, {1, "PASS", "N", 0, 0},      {1, "NP", "N", 7, 0},
        {1, "", "N", 7, 0},          {1, "8S", "N", 13, 0},       {1, "4Z", "N", 10, 0},
        {1, "4", "N", 10, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calcContractScore(c.board, QLatin1String(c.contract), QLatin1String(c.declarer), c.tricks),
                  c.score)
            << c.contract << " by " << c.declarer << " board " << c.board << " tricks " << c.tricks;
}

TEST(ContractScoreTest, VulnerabilityFollowsSixteenBoardCycle) {
    // Vulnerable side per board 1-16: - nobody, N north-south, E east-west, B both.
    const char cycle[] = "-NEBNEB-EB-NB-NE";
    for (int board : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 32, 33, 0}) {
        const char vul = cycle[(board + 15) % 16];
        const int nsDown = vul == 'N' || vul == 'B' ? -100 : -50;
        const int ewDown = vul == 'E' || vul == 'B' ? -100 : -50;
        EXPECT_EQ(calcContractScore(board, u"1NT"_s, u"S"_s, 6), nsDown) << "board " << board;
        EXPECT_EQ(calcContractScore(board, u"1NT"_s, u"W"_s, 6), -ewDown) << "board " << board;
    }
}

TEST(ContractScoreTest, TricksAndResultText) {
    struct Case {
        const char* contract;
        const char* result;
        qint16 tricks;
    };
    const Case cases[] = {{"4S", "=", 10},  {"4S", "+2", 12}, {"3NT", "-1", 8},
                          {"3NT", "-2", 7}, {"7NT", "=", 13}, {"", "=", 0},
                          {"PASS", "=", 0}, {"8S", "=", 0},   {"4 S x", "+1", 11}};
    for (const auto& c : cases) {
        EXPECT_EQ(calcTricksMade(QLatin1String(c.contract), QLatin1String(c.result)), c.tricks)
            << c.contract << c.result;
        EXPECT_EQ(formatResultText(QLatin1String(c.contract), c.tricks),
                  c.tricks == 0 ? QString() : QString::fromLatin1(c.result))
            << c.contract << " " << c.tricks;
    }
    EXPECT_EQ(calcTricksMade(u"4S"_s, u"abc"_s), 10);
    EXPECT_EQ(calcTricksMade(u"4S"_s, u" 2 "_s), 12);
    EXPECT_EQ(formatResultText(u"PASS"_s, 7), QString());
}

} // namespace
} // namespace qzc
