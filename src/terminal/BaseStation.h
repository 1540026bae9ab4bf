#pragma once

#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"
#include "terminal/LinkSupervision.h"
#include "terminal/ProcessQueue.h"
#include "terminal/RadioLink.h"
#include "terminal/ReplySender.h"
#include "terminal/RequestHandler.h"

#include <QTimer>
#include <memory>

namespace qzc {

class Clock;
class Config;
class DesktopHost;
class GameControl;
class Log;
class SerialPort;

/// The link to the base station: the serial port, the receiver and sender, the message
/// queue and the link supervision, driven by three timers (port poll 5 ms, queue 10 ms,
/// supervision 1000 ms). Arriving bytes are read as soon as the port reports them, and the
/// queue runs as soon as a frame is stored; the poll and the queue timer stay as the
/// fallback. Frames of the base station itself are handled here; every terminal request
/// goes to the request handler, whose replies come back through SendMessage.
class BaseStation final : private RequestHandler, public ReplySender {
public:
    /// Uses the machine's serial port. host shows the link, game runs the automatic reset.
    BaseStation(Config& config, Log& log, Clock& clock, DesktopHost& host, GameControl& game,
                RequestHandler& handler);
    /// Uses the given port (tests).
    BaseStation(Config& config, Log& log, Clock& clock, DesktopHost& host, GameControl& game,
                RequestHandler& handler, std::unique_ptr<SerialPort> port);
    ~BaseStation() override;

    BaseStation(const BaseStation&) = delete;
    BaseStation& operator=(const BaseStation&) = delete;

    // Start-up, in this order.
    /// Passes the ini key QueueSize to the queue.
    void initQueueSize();
    /// Reads the link settings (writing missing defaults back), configures the port and
    /// logs the settings.
    void LoadPortSettings();
    /// Switches on the queue timer and the port poll.
    void startTimers();

    /// With openIt false closes the port (true). With openIt true searches the port where
    /// the base station answers a knock: the saved ComPort first, then 1 to 16; each knock
    /// starts with an empty receive buffer. Writes a new ComPort to the ini file. False when
    /// no port answered.
    bool OpenPort(bool openIt);
    /// Brings the link up (port search, queue start, channel, firmware version request,
    /// supervision on) or takes it down. True when done.
    bool bs_OpenCommunication(bool start);
    /// The program is ending: no terminal request is handled again. The queue stops and the
    /// link supervision with it; the port stays as it is.
    void stopHandlingRequests();
    /// The link was brought up ("Base Station marked OK") and not taken down since.
    bool isLinkUp() const { return linkUp_; }

    /// Sets the radio channel (1 to 16) and asks it back; returns it, or 0 for another value
    /// (then only the ask is sent).
    qint16 setBaseStationChannel(qint16 channel);
    /// The base station reported its channel: tick it in the menu and use it.
    void setChannelDisplay(qint16 channel);
    /// The knock command: logs it, sets knockPending and sends the knock.
    void sendKnock();
    /// The firmware-version command: logs it and asks the base station.
    void requestFirmwareVersion();
    /// At a game start the link supervision counts from now: lastRxTime becomes now and
    /// lastAckTime is cleared, both logged.
    void resetIdleTimes();

    /// The receiver and the sender (see RadioLink).
    bool ReceiveMessage(const QByteArray& newBytes, bool clearBuffer) {
        return link_.ReceiveMessage(newBytes, clearBuffer);
    }
    void SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp) override {
        link_.SendMessage(frameBody, delay, requestStamp);
    }

    const QByteArray& rxBuffer() const { return link_.rxBuffer(); }

    // Timer handlers; each logs whatever is thrown beneath it.
    void timerPort_Timer();
    void timer_Queue_Timer();
    void timer_bs_knock_Timer();

    /// The current radio channel (the channel menu sets it too).
    void setChannel(qint16 channel) { settings_.Channel = channel; }
    const LinkSettings& settings() const { return settings_; }
    /// knockPending, lastRxTime, lastAckTime: a game start sets lastRxTime and clears
    /// lastAckTime.
    LinkState& linkState() { return state_; }
    cls_ProcessQueue& processQueue() { return processQueue_; }
    SerialPort& port() { return *PortComm; }
    bool isPortOpen() const;
    qint16 knockState() const { return supervision_.knockState(); }

    const QTimer& timerPort() const { return timerPort_; }
    const QTimer& timer_Queue() const { return timer_Queue_; }
    const QTimer& timer_bs_knock() const { return timer_bs_knock_; }

private:
    qint16 doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) override;
    bool tryPort(int port);
    /// Empties the receive buffer, with what the port has received so far, before a knock.
    void dropBytesBeforeKnock();
    bool waitForKnockAnswer();
    void closePortLogged();

    Config& config_;
    Log& log_;
    Clock& clock_;
    DesktopHost& host_;
    GameControl& game_;
    RequestHandler& handler_;
    std::unique_ptr<SerialPort> PortComm;

    LinkSettings settings_;
    LinkState state_;
    cls_ProcessQueue processQueue_;
    RadioLink link_;
    LinkSupervision supervision_;

    QTimer timerPort_;
    QTimer timer_Queue_;
    QTimer timer_bs_knock_;
    bool linkUp_ = false;
    /// Single shots at the next turn of the event loop: bytes have arrived, a frame is queued.
    QTimer bytesArrived_;
    QTimer frameQueued_;
};

} // namespace qzc
