#include "platform/SystemSerialPort.h"

#include <QSerialPortInfo>

namespace qzc {

namespace {

bool isFailure(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

// A read that meets the end of the device (a pseudo-terminal whose other side closed) or
// a vanished device.
bool isHangUp(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}

} // namespace

SystemSerialPort::SystemSerialPort() {
    QObject::connect(&port_, &QSerialPort::readyRead, [this] {
        if (readyRead_)
            readyRead_();
    });
}

SystemSerialPort::~SystemSerialPort() {
    readyRead_ = nullptr;
    close();
}

void SystemSerialPort::takeError() {
    lastError_ = {static_cast<int>(port_.error()), port_.errorString()};
}

bool SystemSerialPort::open() {
    close();
    QStringList available;
    if (devices_.isEmpty()) {
        for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
            available.append(info.systemLocation());
    }
    const QString path = devicePathForComPort(commPort_, devices_, available);
    if (path.isEmpty()) {
        lastError_ = {static_cast<int>(QSerialPort::DeviceNotFoundError),
                      QStringLiteral("No device for COM port %1").arg(commPort_)};
        return false;
    }
    port_.setPortName(path);
    port_.clearError();
    if (!port_.open(QIODevice::ReadWrite)) {
        takeError();
        if (lastError_.number == QSerialPort::NoError)
            lastError_ = {static_cast<int>(QSerialPort::OpenError), QStringLiteral("Device is in use")};
        return false;
    }
    const bool configured = port_.setBaudRate(baud_) && port_.setDataBits(QSerialPort::Data8) &&
                            port_.setParity(QSerialPort::NoParity) &&
                            port_.setStopBits(QSerialPort::OneStop) &&
                            port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        takeError();
        port_.close();
        return false;
    }
    // A pseudo-terminal has no modem lines and refuses DTR; the link does not need it.
    port_.setDataTerminalReady(false);
    port_.clearError();
    return true;
}

void SystemSerialPort::close() {
    if (port_.isOpen())
        port_.close();
    port_.clearError();
}

std::optional<QByteArray> SystemSerialPort::read() {
    if (!port_.isOpen()) {
        lastError_ = {static_cast<int>(QSerialPort::NotOpenError), QStringLiteral("Port not open")};
        return std::nullopt;
    }
    // Pull in what the device holds without depending on the event loop.
    port_.clearError();
    while (port_.waitForReadyRead(0)) {
    }
    const QSerialPort::SerialPortError error = port_.error();
    QByteArray bytes = port_.readAll();
    // Bytes that came before a hang-up are handed out first; the next read fails.
    if (isHangUp(error) && bytes.isEmpty()) {
        takeError();
        port_.close();
        return std::nullopt;
    }
    port_.clearError();
    return bytes;
}

bool SystemSerialPort::waitForReadyRead(int ms) {
    if (!port_.isOpen())
        return false;
    if (port_.bytesAvailable() > 0)
        return true;
    const bool ready = port_.waitForReadyRead(ms);
    if (!ready && isFailure(port_.error()))
        takeError();
    return ready;
}

bool SystemSerialPort::probe() {
    if (!port_.isOpen()) {
        lastError_ = {static_cast<int>(QSerialPort::NotOpenError), QStringLiteral("Port not open")};
        return false;
    }
    if (isFailure(port_.error())) {
        takeError();
        return false;
    }
    return true;
}

bool SystemSerialPort::write(const QByteArray& bytes) {
    port_.clearError();
    if (port_.write(bytes) != bytes.size()) {
        takeError();
        return false;
    }
    // Push the bytes out now: the program may block (pacing, port search) before the
    // event loop would do it.
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(1000)) {
            takeError();
            return false;
        }
    }
    return true;
}

} // namespace qzc
