#include "terminal/BaseStation.h"

#include "core/Config.h"
#include "core/DesktopHost.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "platform/SystemSerialPort.h"
#include "terminal/RadioFrame.h"
#include "terminal/RadioLogLine.h"

namespace qzc {

namespace {

constexpr qint32 maxQueueSize = 32767;
constexpr int knockFirstWaitMs = 100;
constexpr int channelSettleMs = 500;

const QString kSys = QStringLiteral("sys");

} // namespace

BaseStation::BaseStation(Config& config, Log& log, Clock& clock, DesktopHost& host, GameControl& game,
                         RequestHandler& handler)
    : BaseStation(config, log, clock, host, game, handler, std::make_unique<SystemSerialPort>()) {}

BaseStation::BaseStation(Config& config, Log& log, Clock& clock, DesktopHost& host, GameControl& game,
                         RequestHandler& handler, std::unique_ptr<SerialPort> port)
    : config_(config), log_(log), clock_(clock), host_(host), game_(game), handler_(handler),
      PortComm(std::move(port)), processQueue_(log, clock, settings_, state_, *this),
      link_(log, clock, settings_, state_, *PortComm, processQueue_, game),
      supervision_(log, clock, settings_, state_, game, [this] { sendKnock(); }) {
    timerPort_.setInterval(5);
    timer_Queue_.setInterval(10);
    timer_bs_knock_.setInterval(1000);
    QObject::connect(&timerPort_, &QTimer::timeout, [this] { timerPort_Timer(); });
    QObject::connect(&timer_Queue_, &QTimer::timeout, [this] { timer_Queue_Timer(); });
    QObject::connect(&timer_bs_knock_, &QTimer::timeout, [this] { timer_bs_knock_Timer(); });

    // Reading and queue runs at once, outside the port's own calls and the running queue.
    bytesArrived_.setSingleShot(true);
    bytesArrived_.setInterval(0);
    frameQueued_.setSingleShot(true);
    frameQueued_.setInterval(0);
    QObject::connect(&bytesArrived_, &QTimer::timeout, [this] { timerPort_Timer(); });
    QObject::connect(&frameQueued_, &QTimer::timeout, [this] { timer_Queue_Timer(); });
    PortComm->setReadyReadHandler([this] {
        // The poll's own switch: a port handed to the reset is not read.
        if (timerPort_.isActive())
            bytesArrived_.start();
    });
    processQueue_.setStoredHandler([this] { frameQueued_.start(); });
}

BaseStation::~BaseStation() = default;

void BaseStation::initQueueSize() {
    const QString text = config_.readMain(QStringLiteral("QueueSize"));
    const qint32 size = StrToLong(text);
    if (size > maxQueueSize) {
        log_.writeLog(0, QStringLiteral("QueueSize %1 is too large, the queue keeps %2 slots")
                             .arg(text)
                             .arg(processQueue_.pp_qSize()));
        return;
    }
    if (size >= 11)
        processQueue_.pp_qSize(static_cast<qint16>(size));
}

void BaseStation::LoadPortSettings() {
    settings_ = LinkSettings::read(config_);
    PortComm->setBaudRate(settings_.Baudrate);
    PortComm->setDeviceList(parseSerialDevices(config_.readMain(QStringLiteral("SerialDevices"))));
    settings_.logSettings(log_);
}

void BaseStation::startTimers() {
    timer_Queue_.start();
    timerPort_.start();
}

bool BaseStation::isPortOpen() const {
    return PortComm->isOpen();
}

void BaseStation::closePortLogged() {
    PortComm->close();
    timerPort_.stop();
    log_.writeLog(0, QStringLiteral("COM port %1 is closed.").arg(PortComm->commPort()));
}

bool BaseStation::OpenPort(bool openIt) {
    if (PortComm->isOpen())
        closePortLogged();
    if (!openIt)
        return true;

    int found = 0;
    if (config_.comPort > 0 && tryPort(config_.comPort))
        found = config_.comPort;
    for (int port = 1; found == 0 && port <= 16; ++port) {
        if (tryPort(port))
            found = port;
    }

    if (found > 0) {
        if (found != config_.comPort) {
            config_.comPort = static_cast<qint16>(found);
            config_.writeMain(QStringLiteral("ComPort"), QString::number(found));
        }
        return true;
    }
    if (PortComm->commPort() >= 1 && PortComm->isOpen())
        PortComm->close();
    state_.knockPending = false;
    return false;
}

bool BaseStation::tryPort(int port) {
    log_.writeLog(0, QStringLiteral("Try COM port %1").arg(port));
    PortComm->setCommPort(port);
    if (!PortComm->open()) {
        const PortError error = PortComm->lastError();
        log_.writeLog(error.number, error.description + QStringLiteral(" on COM port %1").arg(port),
                      QString(), true);
        PortComm->close();
        return false;
    }
    log_.writeLog(0, QStringLiteral("Open COM port %1").arg(port));
    timerPort_.start();
    dropBytesBeforeKnock();
    log_.writeLog(0, QStringLiteral("Knock COM port %1").arg(port));
    sendKnock();

    if (!waitForKnockAnswer()) {
        state_.knockPending = false;
        log_.writeLog(0, QStringLiteral("No response from COM port %1").arg(port));
        PortComm->close();
        timerPort_.stop();
        return false;
    }
    log_.writeLog(0, QStringLiteral("BaseStation found at COM port%1").arg(port));
    return true;
}

void BaseStation::dropBytesBeforeKnock() {
    // Nothing received before the knock answers it: the start of a frame cut off by an
    // unplug, or line noise, would hold the answer back until its length is reached, and
    // an answer from the port tried before would count for this one.
    const std::optional<QByteArray> unread = PortComm->read();
    link_.dropBuffer(unread.value_or(QByteArray()));
}

bool BaseStation::waitForKnockAnswer() {
    // Reads while waiting and ends as soon as the acknowledgement is in.
    const qint64 budget = knockFirstWaitMs + settings_.Timeout;
    const qint64 start = clock_.monotonicMs();
    while (state_.knockPending) {
        const std::optional<QByteArray> bytes = PortComm->read();
        if (!bytes)
            return false;
        bool more = link_.ReceiveMessage(*bytes, false);
        while (more && state_.knockPending)
            more = link_.ReceiveMessage({}, false);
        if (!state_.knockPending)
            break;
        const qint64 left = budget - (clock_.monotonicMs() - start);
        if (left <= 0 || !PortComm->waitForReadyRead(static_cast<int>(left)))
            break;
    }
    return !state_.knockPending;
}

bool BaseStation::bs_OpenCommunication(bool start) {
    if (!start) {
        timer_bs_knock_.stop();
        OpenPort(false);
        processQueue_.stopProcess();
        linkUp_ = false;
        host_.showLinkStatus(false);
        log_.writeLog(0, QStringLiteral("Base Station marked N/A"));
        return true;
    }
    if (!OpenPort(true))
        return false;
    state_.knockPending = false;
    processQueue_.startProcess();
    linkUp_ = true;
    host_.showLinkStatus(true);
    log_.writeLog(0, QStringLiteral("Base Station marked OK"));
    setBaseStationChannel(host_.firstCheckedChannel());
    clock_.sleepMs(channelSettleMs);
    requestFirmwareVersion();
    timer_bs_knock_.start();
    state_.lastRxTime = clock_.now();
    return true;
}

void BaseStation::stopHandlingRequests() {
    timer_bs_knock_.stop();
    processQueue_.stopProcess();
}

qint16 BaseStation::setBaseStationChannel(qint16 channel) {
    const BusyPointer busy;
    const bool valid = channel >= 1 && channel <= 16;
    if (valid) {
        LogFrameLine(log_, QStringLiteral("set channel to %1").arg(channel), kSys);
        link_.SendMessage(
            baseStationCommandBody(BaseStationCommand::SetChannel, static_cast<quint8>(channel)), false,
            QDateTime());
        clock_.sleepMs(channelSettleMs);
    }
    LogFrameLine(log_, QStringLiteral("Ask baseStation channel"), kSys);
    link_.SendMessage(baseStationCommandBody(BaseStationCommand::AskChannel, 1), false, QDateTime());
    return valid ? channel : qint16(0);
}

void BaseStation::setChannelDisplay(qint16 channel) {
    if (channel < 1 || channel > 16)
        return;
    host_.setChannelChecked(channel);
    LogFrameLine(log_, QStringLiteral("channel is %1").arg(channel), kSys);
    settings_.Channel = channel;
}

void BaseStation::sendKnock() {
    LogFrameLine(log_, QStringLiteral("Knock Base Station"), kSys);
    state_.knockPending = true;
    link_.SendMessage(baseStationCommandBody(BaseStationCommand::Knock, 1), false, QDateTime());
}

void BaseStation::requestFirmwareVersion() {
    LogFrameLine(log_, QStringLiteral("Request Base Station firmware version"), kSys);
    link_.SendMessage(baseStationCommandBody(BaseStationCommand::FirmwareVersion, 1), false, QDateTime());
}

void BaseStation::resetIdleTimes() {
    state_.lastRxTime = clock_.now();
    log_.writeLog(0, QStringLiteral("Reset idle time for no RX: ") +
                         state_.lastRxTime.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    state_.lastAckTime = QDateTime();
    log_.writeLog(0, QStringLiteral("Reset idle time for no ACT: ''"));
}

qint16 BaseStation::doMsg(const QByteArray& data, const QByteArray& address, const QDateTime& stamp) {
    if (address.size() < 2 || static_cast<quint8>(address.at(0)) != baseStationAddress)
        return handler_.doMsg(data, address, stamp);
    if (data.isEmpty())
        return 1002;
    const auto byte = [&data](int i) {
        return static_cast<quint8>(data.at(i));
    };
    switch (static_cast<quint8>(address.at(1))) {
    case static_cast<quint8>(BaseStationCommand::AskChannel):
        setChannelDisplay(byte(0));
        break;
    case static_cast<quint8>(BaseStationCommand::Knock):
        LogFrameLine(log_, QStringLiteral("Reply signal: "), kSys);
        break;
    case static_cast<quint8>(BaseStationCommand::FirmwareVersion):
        if (data.size() < 5)
            return 1002;
        LogFrameLine(log_,
                     QStringLiteral("Base Station firmware version: %1.%2 %3-%4-%5")
                         .arg(byte(0))
                         .arg(byte(1))
                         .arg(byte(2))
                         .arg(byte(3))
                         .arg(byte(4)),
                     kSys);
        break;
    default:
        break;
    }
    return 0;
}

void BaseStation::timerPort_Timer() {
    guarded(log_, QStringLiteral("timerPort_Timer"), [this] {
        if (!PortComm->isOpen())
            return;
        const std::optional<QByteArray> bytes = PortComm->read();
        if (bytes) {
            link_.ReceiveFrames(*bytes);
            return;
        }
        timerPort_.stop();
        game_.startTimerResetbaseStation();
        const PortError error = PortComm->lastError();
        log_.writeLog(error.number, error.description, QStringLiteral("timerPort_Timer"), true);
        if (PortComm->isOpen()) {
            log_.writeLog(0, QStringLiteral("Close the COM port %1").arg(PortComm->commPort()),
                          QStringLiteral("baseStation: timerPort"));
            PortComm->close();
        }
    });
}

void BaseStation::timer_Queue_Timer() {
    guarded(log_, QStringLiteral("Queue_Timer"), [this] { processQueue_.doQueue(); });
}

void BaseStation::timer_bs_knock_Timer() {
    guarded(log_, QStringLiteral("timer_bs_knock_timer"), [this] {
        if (supervision_.tick() == LinkSupervision::Action::Reset) {
            timer_bs_knock_.stop();
            supervision_.setIdle();
            game_.startTimerResetbaseStation();
        }
    });
}

} // namespace qzc
