#include "terminal/MaintenanceFrames.h"

#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::wire::bytes;

TEST(MaintenanceFramesTest, TypedFramesOrWhyTheyAreRefused) {
    struct Case {
        const char* typed;
        bool receive;
        QByteArray frame;
        bool refused;
    };
    const Case cases[] = {
        {"FF0301", false, bytes("FF 03 01"), false},
        {"00 0c 03 0a 03 14", false, bytes("00 0C 03 0A 03 14"), false},
        {"", false, {}, false},
        {"FF030", false, {}, true},
        {"FF0G01", false, {}, true},
        // A leading mark asks for the checksum; without it the typed one stands.
        {"*FF FF 03 01 01", true, bytes("FF FF 03 01 01 01 04"), false},
        {"FFFF0301010199", true, bytes("FF FF 03 01 01 01 99"), false},
        // A result in words: head (address, L, code 52, board 1), contract, declarer, tricks,
        // lead and the two pairs; the start byte comes first.
        {"*000C073401@3NT,N,9,SA0105", true, bytes("FF 00 0C 07 34 01 23 24 07 01 05 00 9C"), false},
        {"*00@3NT", true, {}, true},
        {"FF", true, {}, false},
        {"*FFZZ", true, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromLatin1(c.typed);
        const TypedFrame frame = c.receive ? typedReceiveFrame(typed) : typedSendBody(typed);
        EXPECT_EQ(frame.bytes, c.frame);
        EXPECT_EQ(!frame.fault.isEmpty(), c.refused);
    }
}

} // namespace
} // namespace qzc
