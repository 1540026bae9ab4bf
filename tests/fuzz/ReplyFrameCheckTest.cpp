#include "harness/ReplyFrameCheck.h"

#include "support/SimWire.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

using test::wire::bytes;
using test::wire::terminalFrame;

TEST(ReplyFrameCheckTest, FramesAsATerminalTakesThem) {
    const QByteArray a1 = bytes("01 01");
    const QByteArray a2 = bytes("01 02");
    // A1 asked for its game status and its stored results; A2 sent a board result.
    const std::vector<fuzz::RequestLog::Request> asked = {{a1, 10}, {a1, 102}, {a2, 52}};
    const QByteArray full(102, '\x07');
    struct Case {
        const char* name;
        QList<QByteArray> frames;
        const char* problem; // "" for none
    };
    const Case cases[] = {
        {"a status reply", {terminalFrame(0x0101, bytes("0B 03 01 02"))}, ""},
        {"feedback with the reload flag", {terminalFrame(0x0102, bytes("B3 1C 28 36"))}, ""},
        {"stored results in two pieces",
         {terminalFrame(0x0101, bytes("67 21") + full), terminalFrame(0x0101, bytes("67 22"))},
         ""},
        {"a wrong checksum", {terminalFrame(0x0101, bytes("0B 03"), 1)}, "wrong checksum"},
        {"a length byte beyond the frame", {terminalFrame(0x0101, bytes("0B 03")).left(7)}, "length byte"},
        {"more than 104 data bytes",
         {terminalFrame(0x0101, bytes("67 11") + full + bytes("00 00 00"))},
         "length byte"},
        {"no start byte", {terminalFrame(0x0101, bytes("0B 03")).mid(1)}, "not a frame"},
        {"a reply to a terminal that asked nothing",
         {terminalFrame(0x0103, bytes("0B 03"))},
         "answers no request"},
        {"a reply code that answers none of its requests",
         {terminalFrame(0x0102, bytes("0B 03"))},
         "answers no request"},
        {"the second piece first", {terminalFrame(0x0101, bytes("67 22"))}, "piece 2 of 2 where piece 1"},
        {"the last piece missing",
         {terminalFrame(0x0101, bytes("67 21") + full)},
         "stopped before piece 2 of 2"},
        {"another reply between the pieces",
         {terminalFrame(0x0101, bytes("67 21") + full), terminalFrame(0x0101, bytes("0B 03")),
          terminalFrame(0x0101, bytes("67 22"))},
         "comes before the last pieces"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QStringList problems = fuzz::checkReplyFrames(c.frames, asked);
        if (QByteArray(c.problem).isEmpty()) {
            EXPECT_EQ(problems, QStringList());
        } else {
            ASSERT_FALSE(problems.isEmpty());
            EXPECT_TRUE(problems[0].contains(QLatin1String(c.problem))) << problems[0].toStdString();
        }
    }
}

} // namespace
} // namespace qzc
