#pragma once

#include "platform/SerialPort.h"

#include <QSerialPort>

namespace qzc {

/// The machine's serial port through QSerialPort.
class SystemSerialPort final : public SerialPort {
public:
    SystemSerialPort();
    ~SystemSerialPort() override;

    void setBaudRate(qint32 baud) override { baud_ = baud; }
    void setDeviceList(const QStringList& devices) override { devices_ = devices; }
    void setCommPort(int port) override { commPort_ = port; }
    int commPort() const override { return commPort_; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return port_.isOpen(); }

    std::optional<QByteArray> read() override;
    bool waitForReadyRead(int ms) override;
    void setReadyReadHandler(std::function<void()> handler) override { readyRead_ = std::move(handler); }
    bool probe() override;
    bool write(const QByteArray& bytes) override;

    PortError lastError() const override { return lastError_; }

private:
    void takeError();

    QSerialPort port_;
    QStringList devices_;
    qint32 baud_ = 38400;
    int commPort_ = 0;
    PortError lastError_;
    std::function<void()> readyRead_;
};

} // namespace qzc
