#include "core/TextHelpers.h"

#include <QDate>
#include <gtest/gtest.h>
#include <ostream>

namespace qzc {
namespace {

struct FieldCase {
    const char* text;
    qint16 n;
    const char* expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.n << " of \"" << c.text << "\"";
}

class GetFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(GetFieldTest, CutsTheNthField) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(GetField(QString::fromUtf8(c.text), c.n, QStringLiteral(";")), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, GetFieldTest,
                         ::testing::Values(FieldCase{"a;b;c", 1, "a"}, FieldCase{"a;b;c", 2, "b"},
                                           FieldCase{"a;b;c", 3, "c"}, FieldCase{"a;b;c", 4, ""},
                                           FieldCase{"a;b;c", 0, ""}, FieldCase{"a;b;c", -1, ""},
                                           FieldCase{"a;;c", 2, ""}, FieldCase{"a;;c", 3, "c"},
                                           FieldCase{"", 1, ""}, FieldCase{"abc", 1, "abc"},
                                           FieldCase{"a;b;", 3, ""}));

TEST(GetFieldTest, DelimiterOfSeveralCharacters) {
    EXPECT_EQ(GetField(QStringLiteral("1<>22<>333"), 2, QStringLiteral("<>")), QStringLiteral("22"));
    EXPECT_EQ(GetField(QStringLiteral("1<>22<>333"), 3, QStringLiteral("<>")), QStringLiteral("333"));
}

TEST(TextHelpersTest, CountOccurrencesCountsOverlaps) {
    EXPECT_EQ(CountOccurrences(QStringLiteral("aaaa"), QStringLiteral("aa")), 3);
    EXPECT_EQ(CountOccurrences(QStringLiteral("abAB"), QStringLiteral("ab")), 1);
    EXPECT_EQ(CountOccurrences(QStringLiteral("abc"), QStringLiteral("x")), 0);
    EXPECT_EQ(CountOccurrences(QStringLiteral("abc"), QString()), 0);
}

struct ReplaceCase {
    const char* text;
    const char* find;
    const char* replacement;
    const char* expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << c.find << " in \"" << c.text << "\"";
}

class ReplaceTextTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, ReplacesWithoutRescanning) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(
        ReplaceText(QString::fromUtf8(c.text), QString::fromUtf8(c.find), QString::fromUtf8(c.replacement)),
        QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTextTest,
    ::testing::Values(ReplaceCase{"abab", "a", "aa", "aabaab"}, ReplaceCase{"   ", " ", "x", "   "},
                      ReplaceCase{"O'Neil", "'", "''", "O''Neil"}, ReplaceCase{"aAa", "a", "", "A"},
                      ReplaceCase{"abc", "", "x", "abc"}, ReplaceCase{"aaa", "aa", "b", "ba"}));

struct PadCase {
    const char* text;
    qint16 length;
    const char* pad;
    bool left;
    const char* expected;
};

void PrintTo(const PadCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\" to " << c.length;
}

class PadTextTest : public ::testing::TestWithParam<PadCase> {};

TEST_P(PadTextTest, FillsButNeverCuts) {
    const PadCase& c = GetParam();
    EXPECT_EQ(PadText(QString::fromUtf8(c.text), c.length, QString::fromUtf8(c.pad), c.left),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PadTextTest,
    ::testing::Values(PadCase{"7", 3, "0", true, "007"}, PadCase{"1234", 3, "0", true, "1234"},
                      PadCase{"ab", 4, "", false, "ab  "}, PadCase{"ab", 4, "", true, "  ab"},
                      PadCase{"", 2, "*", false, "**"}, PadCase{"ab", -1, "0", true, "ab"}));

TEST(TextHelpersTest, FixedWidthAlignsWithBlanks) {
    EXPECT_EQ(FixedWidth(QStringLiteral("ab"), 5, true), QStringLiteral("   ab"));
    EXPECT_EQ(FixedWidth(QStringLiteral("ab"), 5, false), QStringLiteral("ab   "));
    EXPECT_EQ(FixedWidth(QStringLiteral("abcdef"), 5, true), QStringLiteral("abcdef"));
}

TEST(TextHelpersTest, IsBlankOfTexts) {
    const QChar nul(0);
    EXPECT_TRUE(IsBlank(QString()));
    EXPECT_TRUE(IsBlank(QStringLiteral("   ")));
    EXPECT_TRUE(IsBlank(QString(2, nul)));
    EXPECT_TRUE(IsBlank(QStringLiteral(" ") + nul + nul + QStringLiteral(" ")));
    EXPECT_FALSE(IsBlank(nul + QStringLiteral(" ") + nul)); // a blank between the NULs is content
    EXPECT_FALSE(IsBlank(QStringLiteral("0")));
    EXPECT_FALSE(IsBlank(QStringLiteral(" a ")));
}

TEST(TextHelpersTest, IsBlankOfValues) {
    EXPECT_TRUE(IsBlank(QVariant()));
    EXPECT_TRUE(IsBlank(QVariant(QMetaType::fromType<QString>()))); // a NULL from the database
    EXPECT_TRUE(IsBlank(QVariant(0)));
    EXPECT_TRUE(IsBlank(QVariant(0.0)));
    EXPECT_TRUE(IsBlank(QVariant(qint64{0})));
    EXPECT_TRUE(IsBlank(QVariant(QStringLiteral("  "))));
    EXPECT_FALSE(IsBlank(QVariant(QStringLiteral("0"))));
    EXPECT_FALSE(IsBlank(QVariant(3)));
    EXPECT_FALSE(IsBlank(QVariant(-0.5)));
    EXPECT_FALSE(IsBlank(QVariant(false)));
    EXPECT_FALSE(IsBlank(QVariant(QDate(2026, 1, 1))));
}

} // namespace
} // namespace qzc
