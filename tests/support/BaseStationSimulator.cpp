#include "support/BaseStationSimulator.h"

#include "support/SimWire.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace qzc::test {

namespace {

constexpr quint8 kBase = 0xFF;

// How long a write waits for room on the line. Nobody reads a pseudo-terminal whose program
// has ended: its buffer fills, and a plain write would then block the simulator for ever.
constexpr int kWriteWaitMs = 200;

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        pollfd out{fd, POLLOUT, 0};
        const int ready = ::poll(&out, 1, kWriteWaitMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (out.revents & POLLOUT) == 0)
            return false;
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

BaseStationSimulator::BaseStationSimulator() {
    if (!pty_.isValid() || ::pipe(wakeFds_) != 0)
        return;
    thread_ = std::thread([this] { run(); });
}

BaseStationSimulator::~BaseStationSimulator() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake();
    if (thread_.joinable())
        thread_.join();
    for (int fd : wakeFds_) {
        if (fd >= 0)
            ::close(fd);
    }
}

void BaseStationSimulator::wake() {
    if (wakeFds_[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFds_[1], &byte, 1);
    }
}

void BaseStationSimulator::run() {
    for (;;) {
        int master = -1;
        {
            const std::lock_guard lock(mutex_);
            if (stopping_)
                return;
            master = pty_.masterFd();
        }
        pollfd fds[2] = {{wakeFds_[0], POLLIN, 0}, {master, POLLIN, 0}};
        const int count = master >= 0 ? 2 : 1;
        if (::poll(fds, count, -1) < 0 && errno != EINTR)
            return;
        if (fds[0].revents & POLLIN) {
            char drain[64];
            [[maybe_unused]] const ssize_t n = ::read(wakeFds_[0], drain, sizeof drain);
        }
        if (count == 2 && (fds[1].revents & POLLIN)) {
            const std::lock_guard lock(mutex_);
            if (pty_.masterFd() < 0)
                continue;
            char buffer[512];
            const ssize_t n = ::read(pty_.masterFd(), buffer, sizeof buffer);
            if (n > 0)
                takeBytes(QByteArray(buffer, static_cast<qsizetype>(n)));
        }
    }
}

// Cuts whole frames from the input: a start byte, four header bytes known, then L data
// bytes and the checksum. A bad frame loses only its start byte.
void BaseStationSimulator::takeBytes(const QByteArray& bytes) {
    input_ += bytes;
    for (;;) {
        const qsizetype start = input_.indexOf('\xFF');
        if (start < 0) {
            input_.clear();
            return;
        }
        input_.remove(0, start);
        if (input_.size() < 4)
            return;
        const int length = static_cast<unsigned char>(input_[3]);
        const qsizetype whole = 4 + length + 2;
        if (input_.size() < whole)
            return;
        const QByteArray frame = input_.left(whole);
        const auto high = static_cast<quint8>(frame[1]);
        const auto low = static_cast<quint8>(frame[2]);
        const quint16 sum = wire::frameSum(high, low, frame.mid(4, length));
        const quint16 got = static_cast<quint16>((static_cast<unsigned char>(frame[whole - 2]) << 8) |
                                                 static_cast<unsigned char>(frame[whole - 1]));
        if (sum != got) {
            ++badFrames_;
            input_.remove(0, 1);
            continue;
        }
        input_.remove(0, whole);
        frames_.append(frame);
        answer(frame);
        received_.notify_all();
    }
}

void BaseStationSimulator::answer(const QByteArray& frame) {
    if (static_cast<quint8>(frame[1]) != kBase || frame.size() < 5)
        return;
    const auto command = static_cast<quint8>(frame[2]);
    const auto argument = static_cast<quint8>(frame[4]);
    if (command == 3)
        ++knocks_;
    if (silent_)
        return;
    switch (command) {
    case 1:
        channel_ = argument;
        break;
    case 2:
        writeLocked(wire::frame(kBase, 2, QByteArray(1, static_cast<char>(channel_))));
        break;
    case 3:
        switch (knockAnswer_) {
        case KnockAnswer::Ack:
            writeLocked(wire::frame(kBase, 3, QByteArray(1, '\x55')));
            break;
        case KnockAnswer::Nack:
            writeLocked(wire::frame(kBase, 3, QByteArray(1, '\xAA')));
            break;
        case KnockAnswer::Silence:
            break;
        case KnockAnswer::Late:
            ++heldAcks_;
            break;
        }
        break;
    case 4:
        writeLocked(wire::frame(kBase, 4, firmware_));
        break;
    default:
        break;
    }
}

void BaseStationSimulator::writeLocked(const QByteArray& bytes) {
    if (pty_.masterFd() >= 0)
        writeAll(pty_.masterFd(), bytes);
}

void BaseStationSimulator::setKnockAnswer(KnockAnswer answer) {
    const std::lock_guard lock(mutex_);
    knockAnswer_ = answer;
}

void BaseStationSimulator::releaseLateAcks() {
    const std::lock_guard lock(mutex_);
    for (; heldAcks_ > 0; --heldAcks_)
        writeLocked(wire::frame(kBase, 3, QByteArray(1, '\x55')));
}

void BaseStationSimulator::setSilent(bool silent) {
    const std::lock_guard lock(mutex_);
    silent_ = silent;
}

void BaseStationSimulator::setFirmwareVersion(const QByteArray& fiveBytes) {
    const std::lock_guard lock(mutex_);
    firmware_ = fiveBytes;
}

int BaseStationSimulator::channel() const {
    const std::lock_guard lock(mutex_);
    return channel_;
}

void BaseStationSimulator::sendBytes(const QByteArray& bytes) {
    const std::lock_guard lock(mutex_);
    writeLocked(bytes);
}

void BaseStationSimulator::sendTerminalFrame(quint16 terminalId, const QByteArray& data) {
    sendBytes(wire::terminalFrame(terminalId, data));
}

void BaseStationSimulator::hangUp() {
    {
        const std::lock_guard lock(mutex_);
        pty_.closeMaster();
    }
    wake();
}

QList<QByteArray> BaseStationSimulator::framesReceived() const {
    const std::lock_guard lock(mutex_);
    return frames_;
}

QList<QByteArray> BaseStationSimulator::framesReceivedFrom(qsizetype first) const {
    const std::lock_guard lock(mutex_);
    return first >= frames_.size() ? QList<QByteArray>() : frames_.mid(first);
}

qsizetype BaseStationSimulator::frameCount() const {
    const std::lock_guard lock(mutex_);
    return frames_.size();
}

int BaseStationSimulator::badFramesReceived() const {
    const std::lock_guard lock(mutex_);
    return badFrames_;
}

int BaseStationSimulator::knocksReceived() const {
    const std::lock_guard lock(mutex_);
    return knocks_;
}

bool BaseStationSimulator::waitForFrames(int count, int guardMs) const {
    std::unique_lock lock(mutex_);
    return received_.wait_for(lock, std::chrono::milliseconds(guardMs),
                              [&] { return frames_.size() >= count; });
}

} // namespace qzc::test
