// The link end to end: the program's port on pseudo-terminals, simulated base stations on
// their other side.

#include "core/Config.h"
#include "core/Log.h"
#include "platform/SerialPort.h"
#include "support/BaseStationSimulator.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopHost.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/RecordingRequestHandler.h"
#include "support/SimWire.h"
#include "support/TempFolder.h"
#include "support/TestCoreApp.h"
#include "terminal/BaseStation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using Sim = test::BaseStationSimulator;
using test::wire::bytes;

const QByteArray kKnock = bytes("FF FF 03 01 01 01 04");

class BaseStationPtyTest : public ::testing::Test {
protected:
    test::TestCoreApp app;
    test::TempFolder folder;
    Config config{folder.path()};
    test::FakeClock clock;
    Log log{clock};
    test::FakeDesktopHost host;
    test::RecordingRequestHandler handler;
    std::unique_ptr<BaseStation> station;

    /// A base station reading the ini file that lists these devices as COM 1, 2, ...
    void build(const QStringList& devices, const QString& timeout = QStringLiteral("300")) {
        config.writeMain(QStringLiteral("SerialDevices"), devices.join(QLatin1Char(';')));
        config.writeMain(QStringLiteral("Timeout"), timeout);
        station = std::make_unique<BaseStation>(config, log, clock, host, host, handler);
        station->initQueueSize();
        station->LoadPortSettings();
    }

    /// Runs the port poll and the queue, as their timers would, until done() holds. The
    /// guard only ends a test whose frames never come; nothing depends on how long it takes.
    bool pumpUntil(const std::function<bool()>& done) {
        QElapsedTimer guard;
        guard.start();
        while (guard.elapsed() < 5000) {
            station->port().waitForReadyRead(20);
            station->timerPort_Timer();
            station->timer_Queue_Timer();
            if (done())
                return true;
        }
        return false;
    }

    bool logHas(const QString& body) const { return test::logBodies(log).contains(body); }

    /// The bytes of a port search and link start are out of the way.
    void startLink(Sim& sim) {
        build({sim.devicePath()});
        ASSERT_TRUE(station->bs_OpenCommunication(true));
        ASSERT_TRUE(sim.waitForFrames(4));
        ASSERT_TRUE(pumpUntil([&] { return logHas(QStringLiteral(": sys - channel is 16")); }));
        ASSERT_TRUE(pumpUntil(
            [&] { return logHas(QStringLiteral(": sys - Base Station firmware version: 1.4 12-7-3")); }));
        handler.calls.clear();
        log.writeLog(0, QStringLiteral("-- link up"));
    }

    QStringList linesSinceLinkUp() const {
        const QStringList lines = test::logBodies(log);
        return lines.mid(lines.indexOf(QStringLiteral(": -- link up")) + 1);
    }
};

TEST_F(BaseStationPtyTest, FoundOnTheThirdOfFourDevices) {
    Sim nacking;
    nacking.setKnockAnswer(Sim::KnockAnswer::Nack);
    Sim station3;
    Sim station4;
    ASSERT_TRUE(nacking.isValid() && station3.isValid() && station4.isValid());
    build({folder.filePath(QStringLiteral("no-such-device")), nacking.devicePath(), station3.devicePath(),
           station4.devicePath()});

    ASSERT_TRUE(station->OpenPort(true));
    EXPECT_EQ(config.readMain(QStringLiteral("ComPort")), QStringLiteral("3"));
    EXPECT_EQ(config.comPort, 3);
    EXPECT_EQ(nacking.knocksReceived(), 1);
    EXPECT_EQ(station3.knocksReceived(), 1);
    EXPECT_EQ(station4.knocksReceived(), 0);

    QStringList lines = test::logBodies(log);
    lines = lines.mid(lines.indexOf(QStringLiteral(": Try COM port 1")));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_TRUE(lines[1].startsWith(QLatin1String("run-err")) &&
                lines[1].endsWith(QLatin1String(" on COM port 1")))
        << lines[1].toStdString();
    EXPECT_EQ(
        lines.mid(2),
        (QStringList{u": Try COM port 2"_s, u": Open COM port 2"_s, u": Knock COM port 2"_s,
                     u": sys - Knock Base Station"_s, u": No response from COM port 2"_s,
                     u": Try COM port 3"_s, u": Open COM port 3"_s, u": Knock COM port 3"_s,
                     u": sys - Knock Base Station"_s, u": ACK"_s, u": BaseStation found at COM port3"_s}));

    // The next start tries the saved port first and finds it there.
    station->OpenPort(false);
    log.writeLog(0, QStringLiteral("-- again"));
    ASSERT_TRUE(station->OpenPort(true));
    lines = test::logBodies(log);
    lines = lines.mid(lines.indexOf(QStringLiteral(": -- again")) + 1);
    EXPECT_EQ(lines.filter(QStringLiteral("Try COM port")), QStringList{u": Try COM port 3"_s});
    EXPECT_EQ(station3.knocksReceived(), 2);
}

TEST_F(BaseStationPtyTest, LinkStartSetsAndAsksTheChannelAndTheFirmware) {
    Sim sim;
    host.channelChecked[5] = true;
    host.channelChecked[9] = true;
    build({sim.devicePath()});
    ASSERT_TRUE(station->bs_OpenCommunication(true));
    EXPECT_TRUE(host.linkUp);
    EXPECT_TRUE(station->timer_bs_knock().isActive());

    ASSERT_TRUE(sim.waitForFrames(4));
    EXPECT_EQ(sim.framesReceived(),
              (QList<QByteArray>{kKnock, bytes("FF FF 01 01 05 01 06"), bytes("FF FF 02 01 01 01 03"),
                                 bytes("FF FF 04 01 01 01 05")}));
    EXPECT_EQ(sim.channel(), 5);

    ASSERT_TRUE(pumpUntil([&] { return logHas(QStringLiteral(": sys - channel is 5")); }));
    ASSERT_TRUE(pumpUntil(
        [&] { return logHas(QStringLiteral(": sys - Base Station firmware version: 1.4 12-7-3")); }));
    EXPECT_EQ(station->settings().Channel, 5);
    EXPECT_FALSE(host.channelChecked[9]);
    EXPECT_TRUE(host.channelChecked[5]);
    const QStringList lines = test::logBodies(log);
    for (const char* line :
         {": Base Station marked OK", ": sys - set channel to 5", ": sys - Ask baseStation channel",
          ": sys - Request Base Station firmware version", ": Process Queue is reset and ready."})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;

    ASSERT_TRUE(station->bs_OpenCommunication(false));
    EXPECT_FALSE(host.linkUp);
    EXPECT_FALSE(station->isPortOpen());
    EXPECT_FALSE(station->timer_bs_knock().isActive());
    EXPECT_EQ(station->processQueue().pp_qStatus(), QStringLiteral("Stop"));
    EXPECT_EQ(test::logBodies(log).last(), QStringLiteral(": Base Station marked N/A"));
}

TEST_F(BaseStationPtyTest, WorkedFramesBothWays) {
    Sim sim;
    startLink(sim);
    sim.sendBytes(bytes("FF 00 0C 03 0A 03 14 00 30"));
    ASSERT_TRUE(pumpUntil([&] { return handler.calls.size() == 1; }));
    EXPECT_EQ(handler.calls[0].address, bytes("00 0C"));
    EXPECT_EQ(handler.calls[0].data, bytes("0A 03 14"));

    station->SendMessage(bytes("00 0C 03 0A 03 14"), false, QDateTime());
    ASSERT_TRUE(sim.waitForFrames(5));
    EXPECT_EQ(sim.framesReceived().last(), bytes("FF 00 0C 03 0A 03 14 00 30"));
}

TEST_F(BaseStationPtyTest, TheEventLoopAloneReadsAndAnswersEveryFrame) {
    Sim sim;
    startLink(sim);
    // The queue timer is not running: the queue runs because frames were stored.
    ASSERT_FALSE(station->timer_Queue().isActive());
    QByteArray frames;
    for (quint16 id = 0x0101; id <= 0x0105; ++id)
        frames += test::wire::terminalFrame(id, bytes("0A 03 14"));
    sim.sendBytes(frames);
    QElapsedTimer guard;
    guard.start();
    while (handler.calls.size() < 5 && guard.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QList<QByteArray> addresses;
    for (const auto& call : handler.calls)
        addresses.append(call.address);
    EXPECT_EQ(addresses, (QList<QByteArray>{bytes("01 01"), bytes("01 02"), bytes("01 03"), bytes("01 04"),
                                            bytes("01 05")}));
}

TEST_F(BaseStationPtyTest, SplitGarbageDoubledAndBadInput) {
    Sim sim;
    startLink(sim);
    const QByteArray first = test::wire::terminalFrame(0x000C, bytes("0A 03 14"));
    const QByteArray second = test::wire::terminalFrame(0x0105, bytes("34 01 02"));
    const QByteArray third = test::wire::terminalFrame(0x0021, bytes("18 01"));
    const QByteArray bad = test::wire::terminalFrame(0x0022, bytes("18 02"), 3);

    sim.sendBytes(first.left(4));
    ASSERT_TRUE(pumpUntil([&] { return station->rxBuffer().size() == 4; }));
    sim.sendBytes(first.mid(4));
    ASSERT_TRUE(pumpUntil([&] { return handler.calls.size() == 1; }));
    sim.sendBytes(bytes("00 12 34 56") + second);
    ASSERT_TRUE(pumpUntil([&] { return handler.calls.size() == 2; }));
    sim.sendBytes(third + bad + first);
    ASSERT_TRUE(pumpUntil([&] { return handler.calls.size() == 4; }));

    QList<QByteArray> addresses;
    for (const auto& call : handler.calls)
        addresses.append(call.address);
    EXPECT_EQ(addresses, (QList<QByteArray>{bytes("00 0C"), bytes("01 05"), bytes("00 21"), bytes("00 0C")}));
    EXPECT_EQ(linesSinceLinkUp().filter(QStringLiteral("sys-err")),
              QStringList{u"sys-err1005 Invalid checksum value: FF 00 22 02 18 02 00 41 "_s
                          u"(Base Station - ReceiveMessage)"_s});
}

TEST_F(BaseStationPtyTest, StaleEntriesAreDropped) {
    Sim sim;
    startLink(sim);
    const QDateTime before = station->linkState().lastRxTime;
    clock.advance(1000);
    sim.sendTerminalFrame(0x000C, bytes("34 01 02"));
    // Poll only: the frame waits in the queue.
    QElapsedTimer guard;
    guard.start();
    while (station->linkState().lastRxTime == before && guard.elapsed() < 5000) {
        station->port().waitForReadyRead(20);
        station->timerPort_Timer();
    }
    ASSERT_NE(station->linkState().lastRxTime, before);
    clock.advance(station->settings().Timeout);
    station->timer_Queue_Timer();
    EXPECT_TRUE(handler.calls.isEmpty());
    EXPECT_TRUE(
        logHas(QStringLiteral("sys-err3001 Timeout, message dropped: 34 01 02 (ProcessQueue - doMsg)")));
}

TEST_F(BaseStationPtyTest, UnansweredKnocksHandOverToTheReset) {
    Sim sim;
    startLink(sim);
    sim.setKnockAnswer(Sim::KnockAnswer::Silence);
    host.mode = 1;
    clock.advance(181 * 1000);
    station->linkState().lastRxTime = clock.now();
    for (int tick = 1; tick <= 4; ++tick) {
        station->timer_bs_knock_Timer();
        if (tick < 4) {
            ASSERT_TRUE(sim.waitForFrames(4 + tick));
        }
        pumpUntil([] { return true; });
        clock.advance(1000);
    }
    EXPECT_EQ(sim.knocksReceived(), 4); // the port search's and three of the supervision
    EXPECT_EQ(host.resetStarts, 1);
    EXPECT_FALSE(station->timer_bs_knock().isActive());
    EXPECT_EQ(
        linesSinceLinkUp().filter(QStringLiteral("nock")),
        (QStringList{u": sys - Knock Base Station"_s, u": Knock retry 1"_s, u": sys - Knock Base Station"_s,
                     u": Knock retry 2"_s, u": sys - Knock Base Station"_s,
                     u": No response from base station knocking, base station will be reset "_s
                     u"(timer_bs_knock_timer)"_s}));
}

TEST_F(BaseStationPtyTest, ALateAckEndsTheKnocking) {
    Sim sim;
    startLink(sim);
    sim.setKnockAnswer(Sim::KnockAnswer::Late);
    host.mode = 1;
    clock.advance(181 * 1000);
    station->linkState().lastRxTime = clock.now();
    station->timer_bs_knock_Timer();
    ASSERT_TRUE(sim.waitForFrames(5));
    sim.releaseLateAcks();
    ASSERT_TRUE(pumpUntil([&] { return !station->linkState().knockPending; }));
    EXPECT_EQ(station->linkState().lastAckTime, clock.now());
    clock.advance(1000);
    station->timer_bs_knock_Timer();
    EXPECT_EQ(station->knockState(), -1);
    EXPECT_EQ(sim.knocksReceived(), 2);
    EXPECT_EQ(host.resetStarts, 0);
    EXPECT_TRUE(linesSinceLinkUp().filter(QStringLiteral("retry")).isEmpty());
}

TEST_F(BaseStationPtyTest, AHangUpHandsOverToTheReset) {
    Sim sim;
    startLink(sim);
    sim.hangUp();
    ASSERT_TRUE(pumpUntil([&] { return host.resetStarts > 0; }));
    EXPECT_EQ(host.resetStarts, 1);
    EXPECT_FALSE(station->isPortOpen());
    EXPECT_FALSE(station->timerPort().isActive());
    const QStringList errors = linesSinceLinkUp().filter(QStringLiteral("run-err"));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].endsWith(QLatin1String("(timerPort_Timer)"))) << errors[0].toStdString();
    // Sending on the dead link reports the closed port.
    station->SendMessage(bytes("00 0C 01 0B"), false, QDateTime());
    EXPECT_EQ(test::logBodies(log).last(),
              QStringLiteral("sys-err2001 COM port is not open. (Base Station - SendMessage)"));
}

} // namespace
} // namespace qzc
