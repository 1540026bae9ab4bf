#include "core/ByteArrays.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qzc {
namespace {

struct MidCase {
    qint16 from;
    qint16 to;
    QByteArray expected;
};

void PrintTo(const MidCase& c, std::ostream* os) {
    *os << c.from << ".." << c.to;
}

class ByteArrayMidTest : public ::testing::TestWithParam<MidCase> {};

TEST_P(ByteArrayMidTest, TakesTheIncludedRange) {
    const QByteArray source("\x01\x02\x03\x04\x05", 5);
    const MidCase& c = GetParam();
    EXPECT_EQ(ByteArrayMid(source, c.from, c.to), c.expected) << c.from << ".." << c.to;
}

INSTANTIATE_TEST_SUITE_P(Cases, ByteArrayMidTest,
                         ::testing::Values(MidCase{1, 3, QByteArray("\x02\x03\x04", 3)},
                                           MidCase{0, 4, QByteArray("\x01\x02\x03\x04\x05", 5)},
                                           MidCase{4, 4, QByteArray("\x05", 1)}, MidCase{3, 1, QByteArray()},
                                           MidCase{1, 5, QByteArray()}, MidCase{5, 5, QByteArray()},
                                           MidCase{-1, 2, QByteArray()}));

TEST(ByteArraysTest, EmptySourceGivesEmpty) {
    EXPECT_TRUE(ByteArrayMid(QByteArray(), 0, 0).isEmpty());
}

TEST(ByteArraysTest, BytesToHexWritesUpperCasePairs) {
    EXPECT_EQ(BytesToHex(QByteArray("\x0A\xFF\x10", 3)), QStringLiteral("0A FF 10"));
    EXPECT_EQ(BytesToHex(QByteArray(1, '\0')), QStringLiteral("00"));
    EXPECT_EQ(BytesToHex(QByteArray()), QString());
}

} // namespace
} // namespace qzc
