#include "terminal/RadioLink.h"

#include "core/ByteArrays.h"
#include "core/GameControl.h"
#include "core/Log.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"
#include "terminal/LinkSettings.h"
#include "terminal/LinkState.h"
#include "terminal/ProcessQueue.h"
#include "terminal/RadioFrame.h"
#include "terminal/RadioLogLine.h"

namespace qzc {

namespace {

const QString kReceiveSource = QStringLiteral("Base Station - ReceiveMessage");
const QString kSendSource = QStringLiteral("Base Station - SendMessage");

quint8 byteAt(const QByteArray& bytes, qsizetype index) {
    return static_cast<quint8>(bytes.at(index));
}

} // namespace

RadioLink::RadioLink(Log& log, Clock& clock, const LinkSettings& settings, LinkState& state, SerialPort& port,
                     cls_ProcessQueue& queue, GameControl& game)
    : log_(log), clock_(clock), settings_(settings), state_(state), port_(port), queue_(queue), game_(game) {}

void RadioLink::appendArrival(const QByteArray& newBytes) {
    if (!newBytes.isEmpty())
        arrivals_.push_back(Arrival{newBytes.size(), clock_.now()});
}

QDateTime RadioLink::arrivalOf(qsizetype index) const {
    qsizetype end = 0;
    for (const Arrival& arrival : arrivals_) {
        end += arrival.bytes;
        if (index < end)
            return arrival.when;
    }
    return clock_.now();
}

void RadioLink::dropFront(qsizetype count) {
    rxBuffer_.remove(0, count);
    while (count > 0 && !arrivals_.empty()) {
        Arrival& first = arrivals_.front();
        if (first.bytes > count) {
            first.bytes -= count;
            break;
        }
        count -= first.bytes;
        arrivals_.pop_front();
    }
}

void RadioLink::ReceiveFrames(const QByteArray& newBytes) {
    for (bool more = ReceiveMessage(newBytes, false); more;)
        more = ReceiveMessage(QByteArray(), false);
}

void RadioLink::dropBuffer(const QByteArray& unread) {
    rxBuffer_.append(unread);
    if (settings_.History && !rxBuffer_.isEmpty())
        LogFrameLine(log_, BytesToHex(rxBuffer_), QStringLiteral("RX-clear buffer"));
    rxBuffer_.clear();
    arrivals_.clear();
}

bool RadioLink::ReceiveMessage(const QByteArray& newBytes, bool clearBuffer) {
    if (clearBuffer) {
        if (settings_.History)
            LogFrameLine(log_, BytesToHex(rxBuffer_), QStringLiteral("RX-clear buffer"));
        rxBuffer_ = newBytes;
        arrivals_.clear();
        appendArrival(newBytes);
        if (newBytes.isEmpty())
            return false;
    } else {
        rxBuffer_.append(newBytes);
        appendArrival(newBytes);
    }

    const qsizetype start = rxBuffer_.indexOf(static_cast<char>(frameStart));
    if (start < 0 || start + 3 >= rxBuffer_.size())
        return false;
    const int length = byteAt(rxBuffer_, start + 3);
    if (start + 5 + length >= rxBuffer_.size())
        return false;

    const QByteArray body = rxBuffer_.mid(start + 1, length + 3);
    const QByteArray received = rxBuffer_.mid(start + 4 + length, 2);
    const QString frameHex =
        QStringLiteral("FF ") + BytesToHex(body) + QLatin1Char(' ') + BytesToHex(received);

    // An empty computed checksum (sum above 65535) never matches two received bytes.
    if (calcChecksum(body) != received) {
        log_.writeLog(1005, frameHex, kReceiveSource);
        // Look for the next frame from the byte after this start byte on.
        dropFront(start + 1);
        return true;
    }

    bool consumed = false;
    if (body.size() >= 4 && byteAt(body, 0) == baseStationAddress &&
        byteAt(body, 1) == static_cast<quint8>(BaseStationCommand::Knock)) {
        if (byteAt(body, 3) == knockAck) {
            consumed = true;
            state_.knockPending = false;
            log_.writeLog(0, QStringLiteral("ACK"));
            state_.lastAckTime = clock_.now();
        } else if (byteAt(body, 3) == knockNack) {
            consumed = true;
        }
    }
    if (!consumed && settings_.History)
        LogFrameLine(log_, frameHex, QStringLiteral("RX"));

    const QDateTime arrived = arrivalOf(start + frameOverhead + length - 1);
    dropFront(start + frameOverhead + length);

    if (!consumed) {
        const qint16 result = queue_.msgPut(body, arrived);
        if (result != 0)
            logRefused(result, body);
    }
    return true;
}

void RadioLink::logRefused(qint16 result, const QByteArray& body) {
    const qint64 now = clock_.monotonicMs();
    if (refusedLogged_ && now - lastRefusedLogMs_ < refusedLogIntervalMs) {
        ++refusedSinceLog_;
        return;
    }
    QString text = (result == 1 ? QStringLiteral("Message dropped, queue is full: ")
                                : QStringLiteral("Message dropped, queue is stopped: ")) +
                   BytesToHex(body);
    if (refusedSinceLog_ > 0)
        text += QStringLiteral(" (%1 more dropped since the last such line)").arg(refusedSinceLog_);
    log_.writeLog(0, text, kReceiveSource);
    refusedLogged_ = true;
    lastRefusedLogMs_ = now;
    refusedSinceLog_ = 0;
}

void RadioLink::SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp) {
    if (delay && settings_.MinTxInterval > 0) {
        const int pauseMs = settings_.MinTxInterval * 10;
        log_.writeLog(0, QStringLiteral("delay tx, %1ms").arg(pauseMs));
        clock_.sleepMs(pauseMs);
    }

    const qsizetype n = frameBody.size();
    QByteArray frame;
    if (n >= 1) {
        const QByteArray checksum = calcChecksum(frameBody);
        if (checksum.isEmpty()) {
            log_.writeLog(1004, BytesToHex(frameBody), kSendSource);
            return;
        }
        frame.reserve(n + 3);
        frame.append(static_cast<char>(frameStart));
        frame.append(frameBody);
        frame.append(checksum);
        if (state_.antiChecksum) {
            const quint8 low = byteAt(frame, frame.size() - 1);
            frame[frame.size() - 1] = static_cast<char>(low == 0xFF ? 0 : low + 1);
        }
    }
    const bool isKnock = settings_.History && n >= 4 && byteAt(frameBody, 0) == baseStationAddress &&
                         byteAt(frameBody, 1) == static_cast<quint8>(BaseStationCommand::Knock) &&
                         byteAt(frameBody, 3) == 1;

    if (!port_.isOpen()) {
        log_.writeLog(2001, QString(), kSendSource);
        return;
    }
    if (requestStamp.isValid() && requestStamp.msecsTo(clock_.now()) >= settings_.Timeout) {
        log_.writeLog(0, QStringLiteral("Timeout before sending out, message dropped."));
        return;
    }
    if (frame.isEmpty())
        return;
    if (!port_.probe()) {
        const PortError error = port_.lastError();
        log_.writeLog(error.number, error.description, kSendSource, true);
        game_.startTimerResetbaseStation();
        return;
    }
    if (settings_.History && !isKnock)
        LogFrameLine(log_, BytesToHex(frame), QStringLiteral("TX"));
    if (!port_.write(frame)) {
        const PortError error = port_.lastError();
        log_.writeLog(error.number, error.description, kSendSource, true);
    }
}

} // namespace qzc
