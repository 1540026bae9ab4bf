#include "LinkFixture.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::wire::bytes;

struct Step {
    QByteArray read; // handed to one ReceiveMessage call (empty: a tick without bytes)
    int queuedAfter; // frame bodies queued after this call
};

struct ReceiveCase {
    const char* name;
    std::vector<Step> steps;
    QList<QByteArray> bodies;
    QStringList logLines;
    QByteArray leftInBuffer;
};

TEST(ReceiveMessageTest, CutsChecksAndQueuesFrames) {
    const QByteArray worked = bytes("FF 00 0C 03 0A 03 14 00 30");
    const QByteArray workedBody = bytes("00 0C 03 0A 03 14");
    const QByteArray second = test::wire::terminalFrame(0x0105, bytes("34 01"));
    // Sum of FF FF FF and 254 x FF and 01: 65536, which has no one-byte high part; the
    // received checksum holds the sum cut to 16 bits.
    QByteArray oversized = bytes("FF FF FF FF") + QByteArray(254, '\xFF') + bytes("01 00 00");

    const ReceiveCase cases[] = {
        {"worked example", {{worked, 1}}, {workedBody}, {}, {}},
        {"split frame",
         {{bytes("FF 00 0C 03 0A"), 0}, {bytes("03 14 00"), 0}, {bytes("30"), 1}},
         {workedBody},
         {},
         {}},
        {"garbage before a frame is dropped with it",
         {{bytes("12 34 56") + worked, 1}},
         {workedBody},
         {},
         {}},
        {"garbage without a start byte waits",
         {{bytes("12 34"), 0}, {QByteArray(), 0}},
         {},
         {},
         bytes("12 34")},
        {"two frames in one read: one per call",
         {{worked + second, 1}, {QByteArray(), 2}, {QByteArray(), 2}},
         {workedBody, bytes("01 05 02 34 01")},
         {},
         {}},
        {"frame without data", {{bytes("FF 00 05 00 00 05"), 1}}, {bytes("00 05 00")}, {}, {}},
        {"knock ACK is consumed", {{test::wire::frame(0xFF, 3, bytes("55")), 0}}, {}, {u": ACK"_s}, {}},
        {"knock NACK is consumed silently", {{test::wire::frame(0xFF, 3, bytes("AA")), 0}}, {}, {}, {}},
        {"other answer of the knock address is queued",
         {{test::wire::frame(0xFF, 3, bytes("77")), 1}},
         {bytes("FF 03 01 77")},
         {},
         {}},
        {"bad checksum, then the frame inside it",
         {{bytes("FF 00 0C 05 FF 00 05 00 00 05 77"), 0}, {QByteArray(), 1}},
         {bytes("00 05 00")},
         {u"sys-err1005 Invalid checksum value: FF 00 0C 05 FF 00 05 00 00 05 77 (Base Station - "
          u"ReceiveMessage)"_s},
         bytes("77")},
        {"bad checksum with the neighbour's start byte",
         {{test::wire::terminalFrame(12, bytes("0A"), 1), 0}},
         {},
         {u"sys-err1005 Invalid checksum value: FF 00 0C 01 0A 00 18 (Base Station - ReceiveMessage)"_s},
         bytes("00 0C 01 0A 00 18")},
    };
    for (const ReceiveCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::LinkFixture f;
        f.queue.startProcess();
        f.log.writeLog(0, QStringLiteral("-- start"));
        for (const Step& step : c.steps) {
            f.link.ReceiveMessage(step.read, false);
            EXPECT_EQ(f.queuedBodies().size(), step.queuedAfter);
        }
        EXPECT_EQ(f.queuedBodies(), c.bodies);
        EXPECT_EQ(f.link.rxBuffer(), c.leftInBuffer);
        QStringList lines = test::logBodies(f.log);
        lines = lines.mid(lines.indexOf(QStringLiteral(": -- start")) + 1);
        lines.removeIf([](const QString& line) { return line.startsWith(QLatin1String(": Do message")); });
        EXPECT_EQ(lines, c.logLines);
    }

    // The oversized frame counts as a mismatch and the receiver moves on past its start byte.
    test::LinkFixture f;
    f.queue.startProcess();
    f.link.ReceiveMessage(oversized, false);
    EXPECT_EQ(f.link.rxBuffer(), oversized.mid(1));
    EXPECT_TRUE(test::logBodies(f.log).last().startsWith(QLatin1String("sys-err1005 ")));
    EXPECT_TRUE(f.queuedBodies().isEmpty());
}

TEST(ReceiveMessageTest, RequestsAreAsOldAsTheReadThatCompletedThem) {
    test::LinkFixture f; // Timeout 300 ms
    f.queue.startProcess();
    const QByteArray first = test::wire::terminalFrame(0x0101, bytes("34 01"));
    const QByteArray second = test::wire::terminalFrame(0x0102, bytes("34 02"));
    const QByteArray third = test::wire::terminalFrame(0x0103, bytes("34 03"));
    const QDateTime start = f.clock.now();
    // Two frames and the head of a third come in one read; the rest of the third 200 ms
    // later; then the frames wait in the buffer and are cut one per call.
    f.link.ReceiveMessage(first + second + third.left(3), false);
    f.clock.advance(200);
    f.link.ReceiveMessage(third.mid(3), false);
    f.clock.advance(150);
    f.link.ReceiveMessage(QByteArray(), false);
    f.link.ReceiveMessage(QByteArray(), false);
    f.queue.doQueue();
    ASSERT_EQ(f.handler.calls.size(), 1);
    EXPECT_EQ(f.handler.calls[0].data, bytes("34 03"));
    EXPECT_EQ(f.handler.calls[0].stamp, start.addMSecs(200));
    const QStringList lines = test::logBodies(f.log);
    EXPECT_EQ(lines.filter(QStringLiteral("time delay")),
              (QStringList{u": Do message, 1, time delay: 350 (doQueue)"_s,
                           u": Do message, 2, time delay: 350 (doQueue)"_s,
                           u": Do message, 3, time delay: 150 (doQueue)"_s}));
    EXPECT_EQ(lines.filter(QStringLiteral("3001")),
              (QStringList{u"sys-err3001 Timeout, message dropped: 34 01 (ProcessQueue - doMsg)"_s,
                           u"sys-err3001 Timeout, message dropped: 34 02 (ProcessQueue - doMsg)"_s}));
}

TEST(ReceiveMessageTest, EveryCompleteFrameOfAReadIsTaken) {
    test::LinkFixture f;
    f.queue.startProcess();
    const QByteArray frames = test::wire::terminalFrame(0x0101, bytes("0A")) +
                              test::wire::frame(0xFF, 3, bytes("55")) + bytes("12") +
                              test::wire::terminalFrame(0x0102, bytes("0A 03 14"));
    const QByteArray partial = test::wire::terminalFrame(0x0103, bytes("0A"));
    f.link.ReceiveFrames(frames + partial.left(4));
    EXPECT_EQ(f.queuedBodies(), (QList<QByteArray>{bytes("01 01 01 0A"), bytes("01 02 03 0A 03 14")}));
    EXPECT_EQ(f.link.rxBuffer(), partial.left(4));
    EXPECT_TRUE(test::logBodies(f.log).contains(QStringLiteral(": ACK")));
}

TEST(ReceiveMessageTest, AckClearsTheKnockAndStampsIt) {
    test::LinkFixture f;
    f.queue.startProcess();
    f.state.knockPending = true;
    f.link.ReceiveMessage(test::wire::frame(0xFF, 3, bytes("55")), false);
    EXPECT_FALSE(f.state.knockPending);
    EXPECT_EQ(f.state.lastAckTime, f.clock.now());
    EXPECT_FALSE(f.state.lastRxTime.isValid()); // nothing was queued

    f.state.knockPending = true;
    f.link.ReceiveMessage(test::wire::frame(0xFF, 3, bytes("AA")), false);
    EXPECT_TRUE(f.state.knockPending);
}

TEST(ReceiveMessageTest, HistoryLogsFramesAndClearedBuffers) {
    test::LinkFixture f;
    f.settings.History = true;
    f.queue.startProcess();
    f.link.ReceiveMessage(bytes("12 34"), false);
    // A typed frame replaces the buffer.
    f.link.ReceiveMessage(bytes("FF 00 0C 03 0A 03 14 00 30"), true);
    f.link.ReceiveMessage(test::wire::frame(0xFF, 3, bytes("55")), false);
    f.link.ReceiveMessage(QByteArray(), true);
    EXPECT_EQ(test::logBodies(f.log),
              (QStringList{u": Process Queue is reset and ready."_s, u": RX-clear buffer - 12 34"_s,
                           u": RX <= FF 00 0C 03 0A 03 14 00 30"_s, u": ACK"_s, u": RX-clear buffer - "_s}));
    EXPECT_EQ(f.queuedBodies(), QList<QByteArray>{bytes("00 0C 03 0A 03 14")});
}

TEST(ReceiveMessageTest, RefusedFramesAreLoggedAtMostOncePerInterval) {
    test::LinkFixture f; // the queue is stopped until started
    const QByteArray frame = test::wire::terminalFrame(12, bytes("0A"));
    f.link.ReceiveMessage(frame, false);
    f.link.ReceiveMessage(frame, false);
    f.link.ReceiveMessage(frame, false);
    f.clock.advance(RadioLink::refusedLogIntervalMs);
    f.link.ReceiveMessage(frame, false);

    f.queue.pp_qSize(11);
    f.queue.startProcess();
    for (int i = 0; i < 10; ++i)
        f.link.ReceiveMessage(frame, false);
    f.clock.advance(RadioLink::refusedLogIntervalMs);
    f.link.ReceiveMessage(frame, false);

    QStringList lines = test::logBodies(f.log);
    lines.removeAll(QStringLiteral(": Process Queue is reset and ready."));
    EXPECT_EQ(lines,
              (QStringList{
                  u": Message dropped, queue is stopped: 00 0C 01 0A (Base Station - ReceiveMessage)"_s,
                  u": Message dropped, queue is stopped: 00 0C 01 0A (2 more dropped since the last such "_s
                  u"line) (Base Station - ReceiveMessage)"_s,
                  u": Message dropped, queue is full: 00 0C 01 0A (Base Station - ReceiveMessage)"_s,
              }));
}

} // namespace
} // namespace qzc
