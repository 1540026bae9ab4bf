#pragma once

#include "support/PseudoTerminal.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace qzc::test {

/// A base station on a pseudo-terminal. A thread of its own reads what the program sends
/// and answers the base-station commands (knock, set and ask channel, firmware version) at
/// once, so the program may block while it waits for an answer. Tests play the terminals
/// by writing frames or any bytes, and can hang the device up. Frames are cut and checked
/// with the simulator's own code.
class BaseStationSimulator {
public:
    enum class KnockAnswer {
        Ack,     // FF FF 03 01 55
        Nack,    // FF FF 03 01 AA
        Silence, // no answer
        Late,    // the ACK is held back until releaseLateAcks()
    };

    BaseStationSimulator();
    ~BaseStationSimulator();
    BaseStationSimulator(const BaseStationSimulator&) = delete;
    BaseStationSimulator& operator=(const BaseStationSimulator&) = delete;

    bool isValid() const { return pty_.isValid(); }
    /// The device the program opens.
    const QString& devicePath() const { return pty_.devicePath(); }

    void setKnockAnswer(KnockAnswer answer);
    /// Sends the ACKs held back in Late mode.
    void releaseLateAcks();
    /// No answer to any command (a device where no base station hangs).
    void setSilent(bool silent);
    /// The five bytes of the firmware-version answer: major, minor, day, month, year.
    void setFirmwareVersion(const QByteArray& fiveBytes);
    /// The channel last set by the program (1 at start).
    int channel() const;

    /// Writes bytes as they are: frames, pieces of frames, garbage.
    void sendBytes(const QByteArray& bytes);
    /// Writes one good frame of a terminal.
    void sendTerminalFrame(quint16 terminalId, const QByteArray& data);
    /// Closes the device's master side: the program's reads fail from now on.
    void hangUp();

    /// Every good frame received from the program, as received, in order.
    QList<QByteArray> framesReceived() const;
    /// The good frames from position first (counted from 0) on.
    QList<QByteArray> framesReceivedFrom(qsizetype first) const;
    /// How many good frames have come in.
    qsizetype frameCount() const;
    /// Frames with a wrong checksum received from the program.
    int badFramesReceived() const;
    /// Knock frames received.
    int knocksReceived() const;
    /// Waits until at least count good frames have come in; false when they have not come
    /// within the guard time (a failed test, not a timing measurement).
    bool waitForFrames(int count, int guardMs = 5000) const;

private:
    void run();
    void takeBytes(const QByteArray& bytes);
    void answer(const QByteArray& frame);
    void writeLocked(const QByteArray& bytes);
    void wake();

    PseudoTerminal pty_;
    int wakeFds_[2] = {-1, -1};

    mutable std::mutex mutex_;
    mutable std::condition_variable received_;
    bool stopping_ = false;
    bool silent_ = false;
    KnockAnswer knockAnswer_ = KnockAnswer::Ack;
    int heldAcks_ = 0;
    int channel_ = 1;
    QByteArray firmware_ = QByteArray("\x01\x04\x0C\x07\x03", 5);
    QByteArray input_;
    QList<QByteArray> frames_;
    int badFrames_ = 0;
    int knocks_ = 0;

    std::thread thread_;
};

} // namespace qzc::test
