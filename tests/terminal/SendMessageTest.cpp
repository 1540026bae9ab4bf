#include "LinkFixture.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::wire::bytes;

struct SendCase {
    const char* name;
    QByteArray body;
    bool history;
    bool antiChecksum;
    QList<QByteArray> written;
    QStringList logLines;
};

TEST(SendMessageTest, FramesTheBodyWithStartByteAndChecksum) {
    const SendCase cases[] = {
        {"worked example",
         bytes("00 0C 03 0A 03 14"),
         false,
         false,
         {bytes("FF 00 0C 03 0A 03 14 00 30")},
         {}},
        {"logged with history",
         bytes("00 0C 03 0A 03 14"),
         true,
         false,
         {bytes("FF 00 0C 03 0A 03 14 00 30")},
         {u": TX => FF 00 0C 03 0A 03 14 00 30"_s}},
        {"knock is not logged", bytes("FF 03 01 01"), true, false, {bytes("FF FF 03 01 01 01 04")}, {}},
        {"anti-checksum adds one to the low byte",
         bytes("00 0C 03 0A 03 14"),
         true,
         true,
         {bytes("FF 00 0C 03 0A 03 14 00 31")},
         {u": TX => FF 00 0C 03 0A 03 14 00 31"_s}},
        {"anti-checksum turns FF into 00",
         bytes("00 0C 01 F2"),
         false,
         true,
         {bytes("FF 00 0C 01 F2 00 00")},
         {}},
        {"empty body sends nothing", QByteArray(), true, false, {}, {}},
        {"oversized body is refused",
         QByteArray(258, '\xFF'),
         false,
         false,
         {},
         {QStringLiteral("sys-err1004 Invalid message length, tx: ") +
          QString::fromLatin1(QByteArray(258, '\xFF').toHex(' ').toUpper()) +
          QStringLiteral(" (Base Station - SendMessage)")}},
    };
    for (const SendCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::LinkFixture f;
        f.settings.History = c.history;
        f.state.antiChecksum = c.antiChecksum;
        f.port.open();
        f.link.SendMessage(c.body, false, QDateTime());
        EXPECT_EQ(f.port.written, c.written);
        EXPECT_EQ(test::logBodies(f.log), c.logLines);
    }
}

TEST(SendMessageTest, ClosedPortAndFailedProbe) {
    test::LinkFixture f;
    f.link.SendMessage(bytes("00 0C 01 0B"), false, QDateTime());
    EXPECT_TRUE(f.port.written.isEmpty());
    EXPECT_EQ(test::logBodies(f.log),
              QStringList{u"sys-err2001 COM port is not open. (Base Station - SendMessage)"_s});

    test::LinkFixture g;
    g.port.open();
    g.port.failProbe = true;
    g.link.SendMessage(bytes("00 0C 01 0B"), false, QDateTime());
    EXPECT_TRUE(g.port.written.isEmpty());
    EXPECT_EQ(g.host.resetStarts, 1);
    EXPECT_EQ(test::logBodies(g.log), QStringList{u"run-err7 Port gone (Base Station - SendMessage)"_s});
}

TEST(SendMessageTest, RequestAgeAndPacing) {
    struct Case {
        qint64 ageMs;
        bool sent;
    };
    const Case cases[] = {{299, true}, {300, false}, {5000, false}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ageMs);
        test::LinkFixture f;
        f.port.open();
        const QDateTime stamp = f.clock.now();
        f.clock.advance(c.ageMs);
        f.link.SendMessage(bytes("00 0C 01 0B"), false, stamp);
        EXPECT_EQ(f.port.written.size(), c.sent ? 1 : 0);
        EXPECT_EQ(test::logBodies(f.log).contains(u": Timeout before sending out, message dropped."_s),
                  !c.sent);
    }

    // A request stamped before midnight and answered after it is judged by its age alone.
    test::LinkFixture night;
    night.port.open();
    night.clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59, 950)));
    const QDateTime stamp = night.clock.now();
    night.clock.advance(100);
    night.link.SendMessage(bytes("00 0C 01 0B"), false, stamp);
    EXPECT_EQ(night.port.written.size(), 1);

    test::LinkFixture paced;
    paced.settings.MinTxInterval = 2;
    paced.port.open();
    const qint64 before = paced.clock.monotonicMs();
    paced.link.SendMessage(bytes("00 0C 01 0B"), true, QDateTime());
    paced.link.SendMessage(bytes("00 0C 01 0B"), false, QDateTime());
    EXPECT_EQ(paced.clock.monotonicMs() - before, 20);
    EXPECT_EQ(test::logBodies(paced.log), QStringList{u": delay tx, 20ms"_s});
}

} // namespace
} // namespace qzc
