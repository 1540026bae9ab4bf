#include "core/NumberText.h"

#include <gtest/gtest.h>
#include <limits>
#include <ostream>

namespace qzc {
namespace {

struct ConversionCase {
    const char* text;
    qint16 asInt;
    qint32 asLong;
    double asDouble;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\"";
}

class NumberConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(NumberConversionTest, ConvertsOrGivesZero) {
    const ConversionCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(StrToInt(text), c.asInt) << c.text;
    EXPECT_EQ(StrToLong(text), c.asLong) << c.text;
    EXPECT_DOUBLE_EQ(StrToDouble(text), c.asDouble) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberConversionTest,
    ::testing::Values(
        ConversionCase{"", 0, 0, 0}, ConversionCase{"abc", 0, 0, 0}, ConversionCase{"12abc", 0, 0, 0},
        ConversionCase{" 12 ", 12, 12, 12}, ConversionCase{"\t12\t", 12, 12, 12},
        ConversionCase{"+7", 7, 7, 7}, ConversionCase{"2.5", 2, 2, 2.5}, ConversionCase{"3.5", 4, 4, 3.5},
        ConversionCase{"-2.5", -2, -2, -2.5}, ConversionCase{"-3.5", -4, -4, -3.5},
        ConversionCase{"1.5", 2, 2, 1.5}, ConversionCase{"2.51", 3, 3, 2.51}, ConversionCase{".5", 0, 0, 0.5},
        ConversionCase{"7.", 7, 7, 7}, ConversionCase{"1e3", 1000, 1000, 1000},
        ConversionCase{" -1.25E2 ", -125, -125, -125}, ConversionCase{"32767", 32767, 32767, 32767},
        ConversionCase{"32767.5", 0, 32768, 32767.5}, // rounds out of 16 bits
        ConversionCase{"32768", 0, 32768, 32768}, ConversionCase{"-32768", -32768, -32768, -32768},
        ConversionCase{"2147483647", 0, 2147483647, 2147483647.0},
        ConversionCase{"2147483648", 0, 0, 2147483648.0},
        ConversionCase{"-2147483648", 0, std::numeric_limits<qint32>::min(), -2147483648.0},
        ConversionCase{"1e400", 0, 0, 0}, ConversionCase{"inf", 0, 0, 0}, ConversionCase{"nan", 0, 0, 0},
        ConversionCase{"0x10", 0, 0, 0}, ConversionCase{"1,5", 0, 0, 0}, ConversionCase{"1 2", 0, 0, 0},
        ConversionCase{"-", 0, 0, 0}, ConversionCase{".", 0, 0, 0}, ConversionCase{"e5", 0, 0, 0},
        ConversionCase{"5-", 0, 0, 0}, ConversionCase{"+-1", 0, 0, 0}, ConversionCase{"-12", -12, -12, -12}));

struct PowerCase {
    qint16 base;
    qint16 exponent;
    qint32 powerLong;
    qint16 powerInt;
};

void PrintTo(const PowerCase& c, std::ostream* os) {
    *os << c.base << "^" << c.exponent;
}

class PowerTest : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerTest, MultipliesOrGivesTheFixedAnswers) {
    const PowerCase& c = GetParam();
    EXPECT_EQ(PowerLong(c.base, c.exponent), c.powerLong) << c.base << "^" << c.exponent;
    EXPECT_EQ(PowerInt(c.base, c.exponent), c.powerInt) << c.base << "^" << c.exponent;
}

INSTANTIATE_TEST_SUITE_P(Cases, PowerTest,
                         ::testing::Values(PowerCase{0, 0, 0, 0}, PowerCase{-2, 3, -8, 0},
                                           PowerCase{2, 0, 1, 1}, PowerCase{5, 1, 5, 5},
                                           PowerCase{1, 100, 1, 1}, PowerCase{-2, -1, 1, 0},
                                           PowerCase{10, 4, 10000, 10000}, PowerCase{2, 14, 16384, 16384},
                                           PowerCase{2, 15, 32768, 0}, PowerCase{2, 30, 1073741824, 0},
                                           PowerCase{2, 31, 0, 0}, PowerCase{-2, 31, -2147483647 - 1, 0},
                                           PowerCase{10, 30000, 0, 0}));

struct ShiftCase {
    qint32 value;
    qint16 count;
    bool left;
    qint32 expected;
};

void PrintTo(const ShiftCase& c, std::ostream* os) {
    *os << c.value << (c.left ? " << " : " >> ") << c.count;
}

class BitShiftTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(BitShiftTest, ShiftsByPowersOfTwo) {
    const ShiftCase& c = GetParam();
    EXPECT_EQ(BitShift(c.value, c.count, c.left), c.expected) << c.value << " by " << c.count;
}

INSTANTIATE_TEST_SUITE_P(Cases, BitShiftTest,
                         ::testing::Values(ShiftCase{-7, 1, false, -3}, ShiftCase{5, 3, true, 40},
                                           ShiftCase{5, 0, true, 5}, ShiftCase{-7, -1, false, -7},
                                           ShiftCase{200, 4, false, 12}, ShiftCase{1, 20, true, 1048576},
                                           ShiftCase{1, 31, true, 0},
                                           ShiftCase{-1, 31, true, -2147483647 - 1},
                                           ShiftCase{0x40000000, 1, true, 0}, ShiftCase{1000, 40, false, 0},
                                           ShiftCase{1000, 40, true, 0}));

struct FlagCase {
    qint16 value;
    qint16 flag;
    bool on;
    qint16 expected;
};

void PrintTo(const FlagCase& c, std::ostream* os) {
    *os << c.value << (c.on ? " + " : " - ") << c.flag;
}

class SetFlagTest : public ::testing::TestWithParam<FlagCase> {};

TEST_P(SetFlagTest, AddsOrRemovesTheFlag) {
    const FlagCase& c = GetParam();
    EXPECT_EQ(SetFlag(c.value, c.flag, c.on), c.expected);
    EXPECT_EQ(HasFlag(SetFlag(c.value, c.flag, c.on), c.flag), c.on);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetFlagTest,
                         ::testing::Values(FlagCase{6, 2, true, 6}, FlagCase{6, 2, false, 4},
                                           FlagCase{4, 2, true, 6}, FlagCase{4, 2, false, 4},
                                           FlagCase{0, 0x4000, true, 0x4000},
                                           // A flag of several bits, some present: never carries into others.
                                           FlagCase{3, 6, true, 7}, FlagCase{3, 6, false, 3}));

} // namespace
} // namespace qzc
