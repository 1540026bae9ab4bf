#include "LinkFixture.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/SimWire.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::wire::bytes;

QByteArray body(int n) {
    return QByteArray("\x00\x0C\x02\x0A", 4) + QByteArray(1, static_cast<char>(n));
}

QStringList linesStartingWith(const test::LinkFixture& f, const char* prefix) {
    QStringList found;
    for (const QString& line : test::logBodies(f.log)) {
        if (line.startsWith(QLatin1String(prefix)))
            found.append(line);
    }
    return found;
}

TEST(ProcessQueueTest, CapacityAndRefusals) {
    struct Case {
        const char* queueSize; // empty: default
        int usable;
    };
    const Case cases[] = {{"", 499}, {"10", 499}, {"11", 10}, {"40", 39}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.queueSize);
        test::LinkFixture f;
        EXPECT_EQ(f.queue.msgPut(body(1)), 2); // stopped before the first start
        if (*c.queueSize)
            f.queue.pp_qSize(static_cast<qint16>(QByteArray(c.queueSize).toInt()));
        f.queue.startProcess();
        for (int i = 0; i < c.usable; ++i)
            ASSERT_EQ(f.queue.msgPut(body(i)), 0);
        EXPECT_EQ(f.queue.msgPut(body(0)), 1);
        f.queue.stopProcess();
        EXPECT_EQ(f.queue.msgPut(body(0)), 2);
        EXPECT_EQ(f.queue.pp_qStatus(), QStringLiteral("Stop"));
    }
}

// A capacity set while the queue runs waits for the next reset: the ring keeps its slots
// until then, larger or smaller.
TEST(ProcessQueueTest, NewCapacityTakesEffectAtTheNextReset) {
    struct Case {
        qint16 first;
        qint16 changed;
    };
    for (const Case c : {Case{11, 40}, Case{40, 11}}) {
        SCOPED_TRACE(testing::Message() << c.first << " then " << c.changed);
        test::LinkFixture f;
        f.queue.pp_qSize(c.first);
        f.queue.startProcess();
        for (int i = 0; i < 5; ++i)
            ASSERT_EQ(f.queue.msgPut(body(i)), 0);
        f.queue.pp_qSize(c.changed);
        EXPECT_EQ(f.queue.pp_qSize(), c.changed);
        for (int i = 5; i < c.first - 1; ++i)
            ASSERT_EQ(f.queue.msgPut(body(i)), 0);
        EXPECT_EQ(f.queue.msgPut(body(0)), 1);
        f.queue.doQueue();
        ASSERT_EQ(f.handler.calls.size(), c.first - 1);
        for (int i = 0; i < c.first - 1; ++i)
            EXPECT_EQ(f.handler.calls[i].data, bytes("0A") + QByteArray(1, static_cast<char>(i)));

        f.queue.stopProcess();
        f.queue.startProcess();
        for (int i = 0; i < c.changed - 1; ++i)
            ASSERT_EQ(f.queue.msgPut(body(i)), 0);
        EXPECT_EQ(f.queue.msgPut(body(0)), 1);
    }
}

TEST(ProcessQueueTest, HandsEntriesOnInOrderWithWrappingIndices) {
    test::LinkFixture f;
    f.queue.pp_qSize(11);
    f.queue.startProcess();
    for (int i = 0; i < 8; ++i)
        f.queue.msgPut(body(i));
    f.queue.doQueue();
    for (int i = 8; i < 16; ++i)
        f.queue.msgPut(body(i));
    f.queue.doQueue();

    ASSERT_EQ(f.handler.calls.size(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(f.handler.calls[i].data, bytes("0A") + QByteArray(1, static_cast<char>(i)));
        EXPECT_EQ(f.handler.calls[i].address, bytes("00 0C"));
        EXPECT_EQ(f.handler.calls[i].stamp, f.clock.now());
    }
    QStringList indices;
    for (const QString& line : linesStartingWith(f, ": Do message, "))
        indices.append(line.section(QLatin1Char(','), 1, 1).trimmed());
    EXPECT_EQ(indices.join(QLatin1Char(' ')), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 1 2 3 4 5"));
    EXPECT_EQ(f.queue.pp_qStatus(), QStringLiteral("Idle"));
    EXPECT_EQ(f.state.lastRxTime, f.clock.now());
}

TEST(ProcessQueueTest, StaleEntriesAreDroppedByAgeAlone) {
    struct Case {
        QTime arrival;
        qint64 waitMs;
        bool dispatched;
    };
    const Case cases[] = {
        {QTime(19, 30), 299, true},
        {QTime(19, 30), 300, false},
        {QTime(23, 59, 59, 990), 20, true}, // across midnight
        {QTime(23, 59, 59, 990), 300, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arrival.toString().toStdString() + " +" + std::to_string(c.waitMs));
        test::LinkFixture f;
        f.clock.setNow(QDateTime(QDate(2026, 12, 7), c.arrival));
        f.queue.startProcess();
        f.queue.msgPut(bytes("00 0C 03 0A 03 14"));
        f.clock.advance(c.waitMs);
        f.queue.doQueue();
        EXPECT_EQ(f.handler.calls.size(), c.dispatched ? 1 : 0);
        EXPECT_EQ(linesStartingWith(f, ": Do message, "),
                  QStringList{QStringLiteral(": Do message, 1, time delay: %1 (doQueue)").arg(c.waitMs)});
        const QStringList dropped = linesStartingWith(f, "sys-err3001");
        if (c.dispatched)
            EXPECT_TRUE(dropped.isEmpty());
        else
            EXPECT_EQ(
                dropped,
                QStringList{u"sys-err3001 Timeout, message dropped: 0A 03 14 (ProcessQueue - doMsg)"_s});
    }
}

TEST(ProcessQueueTest, HandlerCodesAndFailuresAreLogged) {
    test::LinkFixture f;
    f.queue.startProcess();
    f.handler.result = 1001;
    f.handler.during = [](qsizetype call) {
        if (call == 2)
            throw std::runtime_error("Subscript out of range");
    };
    f.queue.msgPut(bytes("00 0C 01 07"));
    f.queue.msgPut(bytes("00 0C 01 08"));
    f.queue.msgPut(bytes("00 0C 01 09"));
    f.queue.doQueue();
    EXPECT_EQ(f.handler.calls.size(), 3);
    EXPECT_EQ(linesStartingWith(f, "sys-err"),
              (QStringList{u"sys-err1001 Undefined request code: 07 (ProcessQueue - doMsg)"_s,
                           u"sys-err1001 Undefined request code: 09 (ProcessQueue - doMsg)"_s}));
    EXPECT_EQ(linesStartingWith(f, "run-err"), QStringList{u"run-err0 Subscript out of range (doQueue)"_s});
    EXPECT_EQ(f.queue.pp_qStatus(), QStringLiteral("Idle"));
}

TEST(ProcessQueueTest, EventsDuringARun) {
    // A frame that arrives while a reply is being sent is handled in the same run.
    test::LinkFixture fed;
    fed.queue.startProcess();
    fed.handler.during = [&fed](qsizetype call) {
        if (call == 1)
            fed.queue.msgPut(bytes("00 0D 01 0B"));
        fed.queue.doQueue(); // a nested queue tick does nothing
    };
    fed.queue.msgPut(bytes("00 0C 01 0A"));
    fed.queue.doQueue();
    ASSERT_EQ(fed.handler.calls.size(), 2);
    EXPECT_EQ(fed.handler.calls[1].address, bytes("00 0D"));

    // A stop during a run ends the run and stays in force.
    test::LinkFixture stopped;
    stopped.queue.startProcess();
    stopped.handler.during = [&stopped](qsizetype) {
        stopped.queue.stopProcess();
    };
    for (int i = 0; i < 3; ++i)
        stopped.queue.msgPut(body(i));
    stopped.queue.doQueue();
    EXPECT_EQ(stopped.handler.calls.size(), 1);
    EXPECT_EQ(stopped.queue.pp_qStatus(), QStringLiteral("Stop"));
    stopped.queue.doQueue();
    EXPECT_EQ(stopped.handler.calls.size(), 1);

    // A restart during a run discards the old entries; the run ends and the next one
    // starts at index 1 with what came in after the restart.
    test::LinkFixture restarted;
    restarted.queue.startProcess();
    restarted.handler.during = [&restarted](qsizetype call) {
        if (call == 1) {
            restarted.queue.stopProcess();
            restarted.queue.startProcess();
            restarted.queue.msgPut(bytes("00 0E 01 0C"));
            restarted.queue.doQueue();
        }
    };
    for (int i = 0; i < 3; ++i)
        restarted.queue.msgPut(body(i));
    restarted.queue.doQueue();
    EXPECT_EQ(restarted.handler.calls.size(), 1);
    restarted.queue.doQueue();
    ASSERT_EQ(restarted.handler.calls.size(), 2);
    EXPECT_EQ(restarted.handler.calls[1].address, bytes("00 0E"));
    EXPECT_EQ(linesStartingWith(restarted, ": Do message, ").last(),
              QStringLiteral(": Do message, 1, time delay: 0 (doQueue)"));
}

TEST(ProcessQueueTest, StartDiscardsWaitingEntries) {
    test::LinkFixture f;
    f.queue.startProcess();
    f.queue.msgPut(body(1));
    f.queue.msgPut(body(2));
    f.queue.startProcess();
    f.queue.msgPut(body(3));
    f.queue.doQueue();
    ASSERT_EQ(f.handler.calls.size(), 1);
    EXPECT_EQ(f.handler.calls[0].data, bytes("0A 03"));
}

} // namespace
} // namespace qzc
