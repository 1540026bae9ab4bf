#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>
#include <deque>

namespace qzc {

class Clock;
class GameControl;
class Log;
class SerialPort;
class cls_ProcessQueue;
struct LinkSettings;
struct LinkState;

/// Cuts radio frames out of the bytes read from the port and queues their bodies, and
/// wraps frame bodies into frames and writes them to the port.
class RadioLink {
public:
    /// Refused frames are logged at most once in this many milliseconds.
    static constexpr qint64 refusedLogIntervalMs = 10000;

    RadioLink(Log& log, Clock& clock, const LinkSettings& settings, LinkState& state, SerialPort& port,
              cls_ProcessQueue& queue, GameControl& game);

    /// Adds newBytes to the receive buffer (replaces it when clearBuffer is set) and
    /// handles at most one complete frame: a bad checksum is logged with 1005, the base
    /// station's answer to a knock is consumed, any other frame body is queued. Returns true
    /// when bytes were taken from the buffer, so that another call may find a further frame.
    bool ReceiveMessage(const QByteArray& newBytes, bool clearBuffer);
    /// Adds newBytes to the receive buffer and handles every complete frame in it.
    void ReceiveFrames(const QByteArray& newBytes);
    /// Drops the receive buffer and unread, bytes read but not to be handled; what is
    /// dropped is logged as "RX-clear buffer" where History is on.
    void dropBuffer(const QByteArray& unread);

    /// Sends frameBody (address, L, data) as a frame with start byte and checksum. delay:
    /// pause MinTxInterval x 10 ms first; requestStamp: the arrival of the request that this
    /// answers (invalid for none), a reply that has grown older than Timeout is dropped.
    void SendMessage(const QByteArray& frameBody, bool delay, const QDateTime& requestStamp);

    const QByteArray& rxBuffer() const { return rxBuffer_; }

private:
    /// The bytes of one read and when they came; in the order of the receive buffer.
    struct Arrival {
        qsizetype bytes = 0;
        QDateTime when;
    };

    void logRefused(qint16 result, const QByteArray& body);
    void appendArrival(const QByteArray& newBytes);
    /// When the byte at index of the buffer came: a frame is as old as the read that
    /// completed it.
    QDateTime arrivalOf(qsizetype index) const;
    /// Takes count bytes off the front of the buffer.
    void dropFront(qsizetype count);

    Log& log_;
    Clock& clock_;
    const LinkSettings& settings_;
    LinkState& state_;
    SerialPort& port_;
    cls_ProcessQueue& queue_;
    GameControl& game_;

    QByteArray rxBuffer_;
    std::deque<Arrival> arrivals_;
    qint64 lastRefusedLogMs_ = 0;
    bool refusedLogged_ = false;
    int refusedSinceLog_ = 0;
};

} // namespace qzc
