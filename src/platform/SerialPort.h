#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace qzc {

/// Why a port operation failed: a number and a readable description, logged as a
/// run-time error line.
struct PortError {
    int number = 0;
    QString description;
};

/// The serial port to the base station: 8 data bits, no parity, one stop bit, no flow
/// control, opened exclusively. Ports are numbered like COM ports, 1 to 16.
class SerialPort {
public:
    virtual ~SerialPort() = default;

    /// The speed used by the next open.
    virtual void setBaudRate(qint32 baud) = 0;
    /// The device paths that COM port 1, 2, ... stand for (empty: the ports the system lists).
    virtual void setDeviceList(const QStringList& devices) = 0;

    virtual void setCommPort(int port) = 0;
    virtual int commPort() const = 0;

    /// Opens the port set by setCommPort; on failure lastError() says why.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    /// Everything received so far, possibly nothing. No value when the read failed; a
    /// hang-up of the device closes the port and counts as a failed read.
    virtual std::optional<QByteArray> read() = 0;
    /// Waits up to ms milliseconds for received bytes; true when some are there.
    virtual bool waitForReadyRead(int ms) = 0;
    /// handler is called whenever bytes have arrived, as soon as the event loop sees them,
    /// and may be called from within the port's own calls: it must not read at once. A port
    /// that cannot tell never calls it; it is then read on the poll alone.
    virtual void setReadyReadHandler(std::function<void()> handler) { static_cast<void>(handler); }
    /// Asks the port for its pending output, only to learn that it is still usable.
    virtual bool probe() = 0;
    /// Queues the bytes for sending; false when the port refuses them.
    virtual bool write(const QByteArray& bytes) = 0;

    virtual PortError lastError() const = 0;
};

/// The device of COM port n (1 to 16): "COMn" on Windows; elsewhere the n-th path of
/// devices, or, when devices is empty, the n-th of available (sorted by path). Empty when
/// there is no such device.
QString devicePathForComPort(int port, const QStringList& devices, QStringList available);

/// The device list of the ini key SerialDevices: paths separated by ";", blanks trimmed.
QStringList parseSerialDevices(const QString& text);

} // namespace qzc
