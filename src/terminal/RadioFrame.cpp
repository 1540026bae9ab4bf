#include "terminal/RadioFrame.h"

namespace qzc {

QByteArray calcChecksum(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    qint64 sum = 0;
    for (const char byte : bytes)
        sum += static_cast<quint8>(byte);
    if (sum > 0xFFFF)
        return {};
    QByteArray checksum(2, '\0');
    checksum[0] = static_cast<char>(sum / 256);
    checksum[1] = static_cast<char>(sum % 256);
    return checksum;
}

QByteArray baseStationCommandBody(BaseStationCommand command, quint8 argument) {
    QByteArray body(4, '\0');
    body[0] = static_cast<char>(baseStationAddress);
    body[1] = static_cast<char>(command);
    body[2] = 1;
    body[3] = static_cast<char>(argument);
    return body;
}

} // namespace qzc
