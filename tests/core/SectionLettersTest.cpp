#include "core/SectionLetters.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(SectionLettersTest, KnownSectionLetters) {
    const std::pair<qint16, const char*> cases[] = {{1, "A"},   {2, "B"},   {26, "Z"},   {27, "AA"},
                                                    {28, "BB"}, {52, "ZZ"}, {53, "AAA"}, {78, "ZZZ"},
                                                    {0, ""},    {79, ""},   {-1, ""},    {32767, ""}};
    for (const auto& [no, letters] : cases) {
        EXPECT_EQ(sectionNoToLetter(no), QString::fromUtf8(letters)) << no;
    }
}

TEST(SectionLettersTest, EveryNumberRoundTrips) {
    for (qint16 no = 1; no <= 78; ++no) {
        const QString letters = sectionNoToLetter(no);
        EXPECT_EQ(letters.size(), (no - 1) / 26 + 1) << no;
        EXPECT_EQ(letters, QString(letters.size(), letters[0])) << no;
        EXPECT_EQ(sectionLetterToNo(letters), no) << letters.toStdString();
        EXPECT_EQ(sectionLetterToNo(QStringLiteral(" ") + letters.toLower() + QStringLiteral(" ")), no);
    }
}

TEST(SectionLettersTest, UnknownLettersGiveZero) {
    for (const char* text : {"", "  ", "AB", "AAAA", "1", "A1"}) {
        EXPECT_EQ(sectionLetterToNo(QString::fromUtf8(text)), 0) << text;
    }
}

TEST(SectionLettersTest, TableIdParts) {
    struct Case {
        const char* id;
        const char* letters;
        qint16 number;
    };
    const Case cases[] = {{"B12", "B", 12},   {"ab7", "ab", 7},       {"12", "", 12},     {"", "", 0},
                          {"B", "B", 0},      {"AA1234", "AA", 1234}, {"A12345", "A", 0}, {"A0007", "A", 7},
                          {"ZZZ9", "ZZZ", 9}, {"A-3", "A", -3}};
    for (const Case& c : cases) {
        EXPECT_EQ(tableIdLetter(QString::fromUtf8(c.id)), QString::fromUtf8(c.letters)) << c.id;
        EXPECT_EQ(tableIdNumber(QString::fromUtf8(c.id)), c.number) << c.id;
    }
}

TEST(SectionLettersTest, ConvertPairNumber) {
    const std::pair<qint16, qint32> banded[] = {
        {1, 1},   {99, 197},  {100, 0},   {101, 2}, {199, 198}, {201, 2},       {299, 198},    {300, -1},
        {301, 1}, {399, 197}, {400, 800}, {0, 0},   {-5, -5},   {16384, 32768}, {32767, 65534}};
    for (const auto& [pair, expected] : banded) {
        EXPECT_EQ(convertPairNumber(pair, true), expected) << pair;
        EXPECT_EQ(convertPairNumber(pair, false), pair) << pair;
    }
}

} // namespace
} // namespace qzc
