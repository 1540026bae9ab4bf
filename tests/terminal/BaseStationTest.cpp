#include "terminal/BaseStation.h"

#include "core/Config.h"
#include "core/Log.h"
#include "support/FakeClock.h"
#include "support/FakeDesktopHost.h"
#include "support/FakeSerialPort.h"
#include "support/LogLines.h"
#include "support/QtPrinters.h"
#include "support/RecordingRequestHandler.h"
#include "support/SimWire.h"
#include "support/TempFolder.h"
#include "support/TestCoreApp.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

using test::wire::bytes;

// The base station with an in-memory port; ports listed in answering acknowledge knocks.
struct StationFixture {
    test::TestCoreApp app;
    test::TempFolder folder;
    Config config{folder.path()};
    test::FakeClock clock;
    Log log{clock};
    test::FakeDesktopHost host;
    test::RecordingRequestHandler handler;
    test::FakeSerialPort* port = nullptr;
    std::unique_ptr<BaseStation> station;
    QSet<int> answering;
    /// What the other ports answer a knock with.
    QByteArray noise;

    void build() {
        auto fake = std::make_unique<test::FakeSerialPort>();
        port = fake.get();
        port->onWrite = [this](const QByteArray& frame) {
            if (frame == bytes("FF FF 03 01 01 01 04"))
                port->pendingReads.append(
                    answering.contains(port->commPort()) ? test::wire::frame(0xFF, 3, bytes("55")) : noise);
        };
        station = std::make_unique<BaseStation>(config, log, clock, host, host, handler, std::move(fake));
    }

    QString iniText() const {
        QFile file(config.ini().path());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST(BaseStationTest, LoadPortSettingsWritesMissingDefaults) {
    StationFixture f;
    f.build();
    f.station->LoadPortSettings();
    const LinkSettings& s = f.station->settings();
    EXPECT_EQ(s.Baudrate, 38400);
    EXPECT_EQ(s.Channel, 1);
    EXPECT_EQ(s.MinTxInterval, 0);
    EXPECT_EQ(s.Timeout, 300);
    EXPECT_EQ(s.basestationMaxIdleNoRX, 7);
    EXPECT_EQ(s.basestationMaxIdleTime, 3);
    EXPECT_EQ(s.basestationResetWait, 10);
    EXPECT_FALSE(s.History);
    EXPECT_EQ(s.portSettingsText(), QStringLiteral("38400,n,8,1"));
    EXPECT_EQ(f.port->baudRate, 38400);
    for (const char* key :
         {"Timeout", "basestationMaxIdleNoRX", "basestationMaxIdleTime", "basestationResetWait"})
        EXPECT_FALSE(f.config.readMain(QString::fromLatin1(key)).isEmpty()) << key;
    for (const char* key : {"Baudrate", "Channel", "MinTxInterval", "History"})
        EXPECT_FALSE(f.iniText().contains(QString::fromLatin1(key))) << key;
    EXPECT_EQ(f.config.readMain(QStringLiteral("Timeout")), QStringLiteral("300"));
    EXPECT_EQ(test::logBodies(f.log),
              (QStringList{u": bs Reset Wait time: 10s"_s, u": bs Max idle for no activity: 3 min"_s,
                           u": bs Max idle for No RX: 7 min"_s, u": bs Time out: 300ms"_s,
                           u": bs Tx interval: 0ms"_s}));
}

TEST(BaseStationTest, LoadPortSettingsKeepsValuesInBounds) {
    struct Case {
        const char* key;
        const char* value;
        qint32 LinkSettings::*field32;
        qint16 LinkSettings::*field16;
        qint32 expected;
    };
    const Case cases[] = {
        {"Timeout", "5", nullptr, &LinkSettings::Timeout, 10},
        {"Timeout", "5000", nullptr, &LinkSettings::Timeout, 2000},
        {"Timeout", "abc", nullptr, &LinkSettings::Timeout, 10},
        {"MinTxInterval", "-3", &LinkSettings::MinTxInterval, nullptr, 0},
        {"MinTxInterval", "250", &LinkSettings::MinTxInterval, nullptr, 100},
        {"Channel", "0", nullptr, &LinkSettings::Channel, 1},
        {"Channel", "17", nullptr, &LinkSettings::Channel, 1},
        {"Channel", "16", nullptr, &LinkSettings::Channel, 16},
        {"basestationMaxIdleNoRX", "2", nullptr, &LinkSettings::basestationMaxIdleNoRX, 4},
        {"basestationMaxIdleTime", "0", nullptr, &LinkSettings::basestationMaxIdleTime, 1},
        {"basestationResetWait", "0", nullptr, &LinkSettings::basestationResetWait, 1},
        {"basestationResetWait", "1", nullptr, &LinkSettings::basestationResetWait, 1},
        {"basestationResetWait", "30000", nullptr, &LinkSettings::basestationResetWait, 300},
        {"Baudrate", "0", &LinkSettings::Baudrate, nullptr, 38400},
        {"Baudrate", "-9600", &LinkSettings::Baudrate, nullptr, 38400},
        {"Baudrate", "115200", &LinkSettings::Baudrate, nullptr, 115200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        StationFixture f;
        f.config.writeMain(QString::fromLatin1(c.key), QString::fromLatin1(c.value));
        f.build();
        f.station->LoadPortSettings();
        const LinkSettings& s = f.station->settings();
        EXPECT_EQ(c.field32 ? s.*(c.field32) : s.*(c.field16), c.expected);
        // A value that is present, even a wrong one, is not written over.
        EXPECT_EQ(f.config.readMain(QString::fromLatin1(c.key)), QString::fromLatin1(c.value));
    }

    for (const auto& [text, on] : {std::pair{"1", true}, {"2", false}, {"0", false}, {"", false}}) {
        StationFixture f;
        f.config.writeMain(QStringLiteral("History"), QString::fromLatin1(text));
        f.build();
        f.station->LoadPortSettings();
        EXPECT_EQ(f.station->settings().History, on) << text;
    }

    StationFixture big;
    big.config.writeMain(QStringLiteral("basestationResetWait"), QStringLiteral("300"));
    big.build();
    big.station->LoadPortSettings();
    EXPECT_EQ(big.station->settings().resetWaitMs(), 300000);
}

TEST(BaseStationTest, QueueSizeFromTheIni) {
    struct Case {
        const char* text;
        qint16 size;
        bool logged;
    };
    const Case cases[] = {{"", 500, false},     {"10", 500, false},    {"abc", 500, false},
                          {"11", 11, false},    {"2000", 2000, false}, {"32767", 32767, false},
                          {"70000", 500, true}, {"-5", 500, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        StationFixture f;
        f.config.writeMain(QStringLiteral("QueueSize"), QString::fromLatin1(c.text));
        f.build();
        f.station->initQueueSize();
        EXPECT_EQ(f.station->processQueue().pp_qSize(), c.size);
        EXPECT_EQ(test::logBodies(f.log).size(), c.logged ? 1 : 0);
        EXPECT_FALSE(f.iniText().isEmpty());
    }
}

TEST(BaseStationTest, PortSearch) {
    struct Case {
        const char* name;
        qint16 savedPort;
        QSet<int> refused;
        QSet<int> answering;
        bool found;
        QList<int> tried;
        const char* iniComPort;
        const char* noise = "";
        /// Waiting on the port before the search.
        const char* stale = "";
    };
    const Case cases[] = {
        {"found on port 5", 0, {1, 2}, {5}, true, {1, 2, 3, 4, 5}, "5"},
        {"found on the saved port", 5, {}, {5}, true, {5}, "5"},
        {"saved port silent, found later", 9, {}, {2}, true, {9, 1, 2}, "2"},
        {"no base station anywhere",
         3,
         {},
         {},
         false,
         {3, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16},
         "3"},
        {"noise on port 1, found on port 2", 0, {}, {2}, true, {1, 2}, "2", "FF FF FF FF"},
        {"a cut frame before the search", 0, {}, {1}, true, {1}, "1", "", "FF 01 01 30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationFixture f;
        f.config.comPort = c.savedPort;
        f.config.writeMain(QStringLiteral("ComPort"), QString::number(c.savedPort));
        f.answering = c.answering;
        f.noise = bytes(c.noise);
        f.build();
        f.port->refusedPorts = c.refused;
        f.station->LoadPortSettings();
        f.port->pendingReads.append(bytes(c.stale));
        EXPECT_EQ(f.station->OpenPort(true), c.found);
        EXPECT_EQ(f.port->opened, c.tried);
        EXPECT_EQ(f.port->isOpen(), c.found);
        EXPECT_FALSE(f.station->linkState().knockPending);
        EXPECT_EQ(f.config.readMain(QStringLiteral("ComPort")), QString::fromLatin1(c.iniComPort));
    }
}

TEST(BaseStationTest, ClosingAndIdlePolls) {
    StationFixture f;
    f.answering = {1};
    f.build();
    f.station->LoadPortSettings();
    f.log.writeLog(0, QStringLiteral("-- closed"));
    EXPECT_TRUE(f.station->OpenPort(false));
    f.port->pendingReads.append(test::wire::terminalFrame(12, bytes("0A")));
    f.station->timerPort_Timer(); // the port is closed: nothing is read
    EXPECT_EQ(f.port->pendingReads.size(), 1);
    EXPECT_EQ(test::logBodies(f.log).last(), QStringLiteral(": -- closed"));

    f.port->pendingReads.clear();
    ASSERT_TRUE(f.station->OpenPort(true));
    EXPECT_TRUE(f.station->OpenPort(false));
    EXPECT_EQ(test::logBodies(f.log).last(), QStringLiteral(": COM port 1 is closed."));
    EXPECT_FALSE(f.station->timerPort().isActive());
}

TEST(BaseStationTest, BaseStationFrames) {
    struct Case {
        const char* name;
        QByteArray frame;
        QString logLine;
        qint16 channel;
    };
    const Case cases[] = {
        {"channel report", test::wire::frame(0xFF, 2, bytes("07 00")), u": sys - channel is 7"_s, 7},
        {"channel outside 1..16", test::wire::frame(0xFF, 2, bytes("11")), {}, 1},
        {"reply signal", test::wire::frame(0xFF, 3, bytes("01")), u": sys - Reply signal: "_s, 1},
        {"firmware version", test::wire::frame(0xFF, 4, bytes("01 04 0C 07 03")),
         u": sys - Base Station firmware version: 1.4 12-7-3"_s, 1},
        {"short firmware version", test::wire::frame(0xFF, 4, bytes("01 04")),
         u"sys-err1002 Invalid message length: 01 04 (ProcessQueue - doMsg)"_s, 1},
        {"empty base-station message", test::wire::frame(0xFF, 2, QByteArray()),
         u"sys-err1002 Invalid message length (ProcessQueue - doMsg)"_s, 1},
        {"other type", test::wire::frame(0xFF, 9, bytes("01")), {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StationFixture f;
        f.host.channelChecked[3] = true;
        f.answering = {1};
        f.build();
        f.station->LoadPortSettings();
        ASSERT_TRUE(f.station->OpenPort(true));
        f.station->processQueue().startProcess();
        f.log.writeLog(0, QStringLiteral("-- frame"));
        f.port->pendingReads.append(c.frame);
        f.station->timerPort_Timer();
        f.station->timer_Queue_Timer();
        QStringList lines = test::logBodies(f.log);
        lines = lines.mid(lines.indexOf(QStringLiteral(": -- frame")) + 2); // after "Do message"
        EXPECT_EQ(lines, c.logLine.isEmpty() ? QStringList() : QStringList{c.logLine});
        EXPECT_TRUE(f.handler.calls.isEmpty());
        EXPECT_EQ(f.station->settings().Channel, c.channel);
        // A report ticks its channel alone.
        EXPECT_EQ(f.host.firstCheckedChannel(), c.channel == 1 ? 3 : c.channel);
        EXPECT_EQ(f.host.channelChecked[3], c.channel == 1);
    }
}

TEST(BaseStationTest, TerminalFramesGoToTheRequestHandler) {
    StationFixture f;
    f.answering = {1};
    f.build();
    f.station->LoadPortSettings();
    ASSERT_TRUE(f.station->OpenPort(true));
    f.station->processQueue().startProcess();
    f.port->pendingReads.append(test::wire::terminalFrame(0x0102, bytes("0A 03 14")));
    f.station->timerPort_Timer();
    f.station->timer_Queue_Timer();
    ASSERT_EQ(f.handler.calls.size(), 1);
    EXPECT_EQ(f.handler.calls[0].address, bytes("01 02"));
    EXPECT_EQ(f.handler.calls[0].data, bytes("0A 03 14"));
}

TEST(BaseStationTest, SetChannel) {
    struct Case {
        qint16 channel;
        qint16 result;
        QList<QByteArray> frames;
    };
    const Case cases[] = {
        {5, 5, {bytes("FF FF 01 01 05 01 06"), bytes("FF FF 02 01 01 01 03")}},
        {16, 16, {bytes("FF FF 01 01 10 01 11"), bytes("FF FF 02 01 01 01 03")}},
        {0, 0, {bytes("FF FF 02 01 01 01 03")}},
        {17, 0, {bytes("FF FF 02 01 01 01 03")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        StationFixture f;
        f.answering = {1};
        f.build();
        f.station->LoadPortSettings();
        ASSERT_TRUE(f.station->OpenPort(true));
        f.port->written.clear();
        const qint64 before = f.clock.monotonicMs();
        EXPECT_EQ(f.station->setBaseStationChannel(c.channel), c.result);
        EXPECT_EQ(f.port->written, c.frames);
        EXPECT_EQ(f.clock.monotonicMs() - before, c.result > 0 ? 500 : 0);
    }
}

} // namespace
} // namespace qzc
