#pragma once

#include "platform/SerialPort.h"

#include <QList>
#include <QSet>
#include <functional>

namespace qzc::test {

/// A serial port in memory: reads come from a script, writes are recorded.
class FakeSerialPort final : public SerialPort {
public:
    void setBaudRate(qint32 baud) override { baudRate = baud; }
    void setDeviceList(const QStringList& list) override { devices = list; }
    void setCommPort(int port) override { commPort_ = port; }
    int commPort() const override { return commPort_; }

    bool open() override {
        opened.append(commPort_);
        open_ = !refusedPorts.contains(commPort_);
        if (!open_)
            error = {3, QStringLiteral("Device not found")};
        return open_;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }

    std::optional<QByteArray> read() override {
        if (failReads) {
            open_ = false;
            error = {6, QStringLiteral("Device hung up")};
            return std::nullopt;
        }
        if (pendingReads.isEmpty())
            return QByteArray();
        return pendingReads.takeFirst();
    }
    bool waitForReadyRead(int) override { return !pendingReads.isEmpty(); }
    bool probe() override {
        if (failProbe)
            error = {7, QStringLiteral("Port gone")};
        return !failProbe;
    }
    bool write(const QByteArray& bytes) override {
        written.append(bytes);
        if (onWrite)
            onWrite(bytes);
        return true;
    }
    PortError lastError() const override { return error; }

    qint32 baudRate = 0;
    QStringList devices;
    QList<int> opened;
    QSet<int> refusedPorts;
    QList<QByteArray> pendingReads;
    QList<QByteArray> written;
    bool failReads = false;
    bool failProbe = false;
    PortError error;
    /// Runs after every write (a scripted answer of the far side).
    std::function<void(const QByteArray&)> onWrite;

private:
    int commPort_ = 0;
    bool open_ = false;
};

} // namespace qzc::test
