#include "scoring/WireCodes.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

TEST(WireCodesTest, ContractByteEncoding) {
    const std::pair<const char*, qint16> cases[] = {
        {"4S", 28},  {"4s", 28},         {" 4 S ", 28}, {"3NTXX", 163}, {"7NTX", 103}, {"1C", 1},
        {"pass", 0}, {"PASS", 0},        {"np", 56},    {"8S", 56},     {"0S", 56},    {"4Z", 56},
        {"4", 56},   {"Not played", 56}, {"", 56},      {"4N", 56},     {"LP", 56}};
    for (const auto& [text, code] : cases)
        EXPECT_EQ(encodeContractByte(QLatin1String(text)), code) << "'" << text << "'";
}

TEST(WireCodesTest, ContractByteDecoding) {
    const std::pair<qint16, const char*> cases[] = {
        {0, "PASS"}, {40, "PASS"},   {64, "PASS"},   {128, "PASS"}, {56, "NP"}, {41, "NP"},    {49, "NP"},
        {255, "NP"}, {163, "3NTXX"}, {227, "3NTXX"}, {28, "4S"},    {-1, "NP"}, {103, "7NTX"}, {1, "1C"}};
    for (const auto& [code, text] : cases)
        EXPECT_EQ(wireContractText(code), QLatin1String(text)) << code;
}

TEST(WireCodesTest, CallsOfAnAuction) {
    // A double is a call of its own, not a pass; everything else reads as a contract.
    const std::pair<int, const char*> texts[] = {{0, "PASS"}, {64, "X"},      {128, "XX"}, {28, "4S"},
                                                 {56, "NP"},  {120, "NP"},    {92, "4SX"}, {8, "PASS"},
                                                 {72, "X"},   {163, "3NTXX"}, {255, "NP"}};
    for (const auto& [code, text] : texts)
        EXPECT_EQ(wireBidText(static_cast<qint16>(code)), QString::fromLatin1(text)) << code;
    const std::pair<int, bool> inRange[] = {{0, true},   {64, true},  {128, true},  {191, true}, {56, true},
                                            {40, false}, {53, false}, {192, false}, {255, false}};
    for (const auto& [code, ok] : inRange)
        EXPECT_EQ(isBidByteInRange(static_cast<quint8>(code)), ok) << code;
}

TEST(WireCodesTest, CardBytesThatAreNoCard) {
    const struct {
        int code;
        bool inRange;
        bool noCard;
    } cases[] = {{7, true, false},   {63, true, false},  {64, true, true}, {71, true, true},
                 {0, true, true},    {3, true, true},    {59, true, true}, {127, true, true},
                 {128, false, true}, {135, false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(isCardByteInRange(static_cast<quint8>(c.code)), c.inRange) << c.code;
        EXPECT_EQ(isNoCardByte(static_cast<quint8>(c.code)), c.noCard) << c.code;
    }
}

TEST(WireCodesTest, EveryContractRoundTrips) {
    for (int level = 1; level <= 7; ++level)
        for (const char* strain : {"C", "D", "H", "S", "NT"})
            for (const char* doubling : {"", "X", "XX"}) {
                const QString text = QString::number(level) + QLatin1String(strain) + QLatin1String(doubling);
                EXPECT_EQ(wireContractText(encodeContractByte(text)), text);
            }
}

TEST(WireCodesTest, ResultByteBothWays) {
    EXPECT_EQ(encodeResultByte(u"S"_s, 9), 38);
    EXPECT_EQ(encodeResultByte(u"W"_s, 14), 55);
    EXPECT_EQ(encodeResultByte(u"x"_s, 9), 36);
    EXPECT_EQ(encodeResultByte(u"s"_s, 9), 38);
    EXPECT_EQ(encodeResultByte(u"E"_s, -3), 1);
    EXPECT_EQ(wireResultText(64), u"N16"_s);
    const QString seats = u"NESW"_s;
    for (int tricks = 0; tricks <= 13; ++tricks)
        for (QChar seat : seats)
            EXPECT_EQ(wireResultText(encodeResultByte(seat, tricks)), seat + QString::number(tricks));
    for (const auto& adjusted : adjustedScoreCodes) {
        EXPECT_EQ(encodeResultByte(QLatin1String(adjusted.text), 9), adjusted.code);
        EXPECT_EQ(wireResultText(adjusted.code), QLatin1String(adjusted.text));
        // No real result (at most 13 tricks) may collide with an adjusted code.
        EXPECT_GT(adjusted.code / 4, 13);
    }
}

TEST(WireCodesTest, CardByteBothWays) {
    const std::pair<const char*, qint16> encoded[] = {{"SA", 7},  {"HT", 42}, {"C2", 8}, {"Dx", 61},
                                                      {"DX", 61}, {"S1", 3},  {"", 0},   {"S", 0},
                                                      {"sa", 7},  {"ZA", 0},  {"--", 0}, {"HK", 54}};
    for (const auto& [text, code] : encoded)
        EXPECT_EQ(encodeCardByte(QLatin1String(text)), code) << "'" << text << "'";
    const std::pair<qint16, const char*> decoded[] = {{64, "--"}, {71, "--"}, {0, ""},    {3, ""},  {59, ""},
                                                      {63, "Sx"}, {7, "SA"},  {42, "HT"}, {8, "C2"}};
    for (const auto& [code, text] : decoded)
        EXPECT_EQ(wireCardText(code), QLatin1String(text)) << code;
    for (QChar suit : QString(u"CDHS"_s))
        for (QChar rank : QString(u"A23456789TJQKx"_s)) {
            const QString card = QString(suit) + rank;
            EXPECT_EQ(wireCardText(encodeCardByte(card)), card);
        }
}

} // namespace
} // namespace qzc
