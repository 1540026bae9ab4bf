#include "core/ByteArrays.h"

namespace qzc {

QByteArray ByteArrayMid(const QByteArray& bytes, qint16 from, qint16 to) {
    if (bytes.isEmpty() || from > to || from < 0 || to >= bytes.size()) {
        return {};
    }
    return bytes.mid(from, to - from + 1);
}

QString BytesToHex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

} // namespace qzc
