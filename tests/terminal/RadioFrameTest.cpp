#include "terminal/RadioFrame.h"

#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(RadioFrameTest, ChecksumIsTheSumSplitIntoHighAndLowByte) {
    struct Case {
        QByteArray bytes;
        QByteArray checksum;
    };
    const QByteArray allHigh(255, '\xFF');
    const Case cases[] = {
        {test::wire::bytes("00 0C 03 0A 03 14"), test::wire::bytes("00 30")},
        {test::wire::bytes("FF 01 01 05"), test::wire::bytes("01 06")},
        {test::wire::bytes("FF 03 01 01"), test::wire::bytes("01 04")},
        {test::wire::bytes("00"), test::wire::bytes("00 00")},
        {QByteArray(), QByteArray()},
        // 257 x 0xFF = 65535 still fits; one more byte does not.
        {QByteArray(257, '\xFF'), test::wire::bytes("FF FF")},
        {allHigh + test::wire::bytes("FF FF 01"), QByteArray()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toHex(' ').toStdString());
        EXPECT_EQ(calcChecksum(c.bytes), c.checksum);
    }
}

} // namespace
} // namespace qzc
