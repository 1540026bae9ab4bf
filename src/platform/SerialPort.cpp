#include "platform/SerialPort.h"

#include <algorithm>

namespace qzc {

QString devicePathForComPort(int port, const QStringList& devices, QStringList available) {
    if (port < 1 || port > 16)
        return {};
#ifdef Q_OS_WIN
    Q_UNUSED(devices);
    Q_UNUSED(available);
    return QStringLiteral("COM%1").arg(port);
#else
    if (!devices.isEmpty())
        return port <= devices.size() ? devices.at(port - 1) : QString();
    std::sort(available.begin(), available.end());
    return port <= available.size() ? available.at(port - 1) : QString();
#endif
}

QStringList parseSerialDevices(const QString& text) {
    QStringList devices;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString path = part.trimmed();
        if (!path.isEmpty())
            devices.append(path);
    }
    return devices;
}

} // namespace qzc
