#pragma once

// The program's link and request dispatcher on a pseudo-terminal, a simulated base station
// on its other side playing the terminals. Replies are compared as the terminals receive
// them: whole frames, start byte, address, length, pieces and checksum included.

#include "core/Config.h"
#include "platform/SerialPort.h"
#include "support/BaseStationSimulator.h"
#include "support/DispatchRig.h"
#include "support/EventBuilder.h"
#include "support/FakeDesktopHost.h"
#include "support/QtPrinters.h"
#include "support/SimWire.h"
#include "support/TestCoreApp.h"
#include "terminal/BaseStation.h"
#include "terminal/ReplySender.h"
#include "terminal/RequestHandler.h"

#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace qzc::test {

/// Counts the requests the queue hands on and keeps their result codes.
class CountingHandler final : public RequestHandler {
public:
    explicit CountingHandler(RequestHandler& inner) : inner_(inner) {}
    qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) override {
        const qint16 result = inner_.doMsg(data, address, stamp);
        results.push_back(result);
        return result;
    }
    std::vector<qint16> results;

private:
    RequestHandler& inner_;
};

/// Passes the reply pieces on to the link and counts them.
class CountingSender final : public ReplySender {
public:
    void SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp) override {
        ++sent;
        delays.push_back(delay);
        target->SendMessage(frameBody, delay, requestStamp);
    }
    ReplySender* target = nullptr;
    int sent = 0;
    std::vector<bool> delays;
};

/// What came back for one request.
struct Exchange {
    qint16 result = 0;
    QList<QByteArray> frames;
};

/// A frame to a terminal as the base station passes it on: FF, id, L, data, checksum.
inline QByteArray to(quint16 terminalId, const char* hexData) {
    return wire::terminalFrame(terminalId, wire::bytes(hexData));
}
inline QByteArray to(quint16 terminalId, const QByteArray& data) {
    return wire::terminalFrame(terminalId, data);
}

/// The game settings block with the settings of setKnownSettings (matchpoints, "Go to"
/// shown, TD PIN 1234) on the fake clock's 2026-12-07 19:30:00; separatePairs sets bit 1.
inline QByteArray knownBlock(bool separatePairs, int byte1Extra = 0) {
    QByteArray block = wire::bytes("01 00 00 0C 22 00 07 EA 0C 07 13 1E 00");
    block[0] = static_cast<char>(1 + (separatePairs ? 2 : 0));
    block[1] = static_cast<char>(byte1Extra);
    return block;
}

class DispatcherPtyTest : public ::testing::Test {
protected:
    TestCoreApp app;
    DispatchRig rig;
    BaseStationSimulator sim;
    FakeDesktopHost linkHost;
    CountingHandler handler{rig.dispatcher};
    CountingSender sender;
    std::unique_ptr<BaseStation> station;

    Config& config() { return rig.data.harness.config; }
    GameDataHarness& data() { return rig.data; }
    FakeDesktopHost& host() { return rig.host; }

    /// Starts the program's objects on the event, with known game settings, and brings the
    /// link up. The game runs unless mode says otherwise.
    void start(EventBuilder& builder, qint16 mode = 1) {
        ASSERT_TRUE(sim.isValid());
        ASSERT_TRUE(rig.start(builder)) << rig.failure().toStdString();
        setKnownSettings();
        host().mode = mode;
        config().writeMain(QStringLiteral("SerialDevices"), sim.devicePath());
        station = std::make_unique<BaseStation>(config(), data().harness.log, data().harness.clock, linkHost,
                                                host(), handler);
        sender.target = station.get();
        rig.dispatcher.attachSender(sender);
        station->initQueueSize();
        station->LoadPortSettings();
        ASSERT_TRUE(station->bs_OpenCommunication(true));
        // Knock, channel, ask channel, firmware version.
        ASSERT_TRUE(sim.waitForFrames(4));
        framesSeen_ = sim.frameCount();
        // The link start waited on the fake clock; the replies are built at a known time.
        data().harness.clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(19, 30, 0)));
    }

    void setKnownSettings() {
        const std::map<const char*, const char*> known = {
            {"custom_qz_showgoto", "1"},      {"custom_qz_askpincode", "0"},
            {"custom_qz_askplayerid", "0"},   {"custom_qz_asklead", "0"},
            {"custom_qz_askdeal", "0"},       {"custom_qz_askbid", "0"},
            {"custom_qz_askplay", "0"},       {"custom_qz_includemakable", "0"},
            {"custom_qz_topranking", "0"},    {"custom_qz_scoringtype", "2"},
            {"custom_qz_gametype", "0"},      {"custom_qz_recapresult", "0"},
            {"custom_qz_shownames", "0"},     {"custom_qz_askconfirmation", "1"},
            {"custom_qz_inputmethod", "1"},   {"custom_qz_pointtodeclarer", "0"},
            {"custom_qz_makableformat", "0"}, {"custom_qz_rotatedirections", "0"},
            {"custom_qz_includedeal", "0"},   {"custom_qz_permitresultchange", "0"},
            {"custom_qz_roundsummary", "0"},  {"custom_qz_tdpin", "1234"},
            {"custom_qz_feedbackstyle", "1"}, {"custom_qz_scoreacrosspair", "0"},
        };
        for (const auto& [name, value] : known)
            setSetting(name, value);
    }
    void setSetting(const char* name, const char* value) {
        data().setSetting(QString::fromLatin1(name), QString::fromLatin1(value));
    }

    /// Sends one request of the terminal through the base station and returns its result
    /// code and every frame the program sent for it.
    Exchange send(quint16 terminalId, const QByteArray& requestData) {
        const std::size_t handled = handler.results.size();
        const int sentBefore = sender.sent;
        sim.sendTerminalFrame(terminalId, requestData);
        Exchange exchange;
        QElapsedTimer guard;
        guard.start();
        // The guard only ends a test whose frame never comes through.
        while (handler.results.size() == handled && guard.elapsed() < 5000) {
            station->port().waitForReadyRead(20);
            station->timerPort_Timer();
            station->timer_Queue_Timer();
        }
        if (handler.results.size() == handled) {
            ADD_FAILURE() << "request not handled";
            return exchange;
        }
        exchange.result = handler.results.back();
        const qsizetype expected = framesSeen_ + (sender.sent - sentBefore);
        EXPECT_TRUE(sim.waitForFrames(static_cast<int>(expected)));
        exchange.frames = sim.framesReceivedFrom(framesSeen_);
        framesSeen_ = sim.frameCount();
        return exchange;
    }
    Exchange send(quint16 terminalId, const char* hexData) { return send(terminalId, wire::bytes(hexData)); }

    /// Log lines since the start, without time stamps.
    QStringList log() const { return rig.data.logMessages(); }
    bool logged(const QString& line) const { return log().contains(line); }
    qsizetype countLogged(const QString& line) const { return log().count(line); }

private:
    qsizetype framesSeen_ = 0;
};

/// Two tables, two rounds of two boards (the pairs keep their direction): A1 plays NS 1 - EW
/// 2 on boards 1-2, then NS 1 - EW 4 on boards 3-4; A2 plays NS 3 - EW 4 on boards 3-4,
/// then NS 3 - EW 2 on boards 1-2. No hand records.
inline EventBuilder smallEvent() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addRound(RoundRow{a, 1, 1, 1, 2, 0, 0, 1, 2});
    b.addRound(RoundRow{a, 1, 2, 1, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 1, 3, 4, 0, 0, 3, 4});
    b.addRound(RoundRow{a, 2, 2, 3, 2, 0, 0, 1, 2});
    b.setStanza(a, 1, 2);
    b.withoutTable(QStringLiteral("HandRecord"));
    return b;
}

/// The movement block of A1 in the small event: two boards a round, no deal entry; round 1
/// NS 1, EW 2 from board 1, the EW pair to A2 and staying EW; round 2 NS 1, EW 4 from
/// board 3, no round after it.
inline QByteArray smallEventA1Block() {
    return wire::bytes("02 00 01 02 01 80 01 02 01 04 03 00 00 00");
}

} // namespace qzc::test
