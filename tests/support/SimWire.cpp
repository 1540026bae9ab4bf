#include "support/SimWire.h"

namespace qzc::test::wire {

quint16 frameSum(quint8 addressHigh, quint8 addressLow, const QByteArray& data) {
    unsigned total = addressHigh + addressLow + static_cast<unsigned>(data.size());
    for (qsizetype i = 0; i < data.size(); ++i)
        total += static_cast<unsigned char>(data[i]);
    return static_cast<quint16>(total & 0xFFFFu);
}

QByteArray frame(quint8 addressHigh, quint8 addressLow, const QByteArray& data, int checksumDelta) {
    const auto sum = static_cast<quint16>(frameSum(addressHigh, addressLow, data) + checksumDelta);
    QByteArray out;
    out += '\xFF';
    out += static_cast<char>(addressHigh);
    out += static_cast<char>(addressLow);
    out += static_cast<char>(data.size());
    out += data;
    out += static_cast<char>(sum >> 8);
    out += static_cast<char>(sum & 0xFF);
    return out;
}

QByteArray terminalFrame(quint16 terminalId, const QByteArray& data, int checksumDelta) {
    return frame(static_cast<quint8>(terminalId >> 8), static_cast<quint8>(terminalId & 0xFF), data,
                 checksumDelta);
}

QByteArray bytes(const char* hexText) {
    return QByteArray::fromHex(QByteArray(hexText).replace(' ', ""));
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (const int value : values)
        result.append(static_cast<char>(value));
    return result;
}

} // namespace qzc::test::wire
