#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace qzc {

/// The bytes from..to (indexes from 0, both included) as a new array; empty when the
/// source is empty, from is above to, or either index lies outside the source.
QByteArray ByteArrayMid(const QByteArray& bytes, qint16 from, qint16 to);

/// Each byte as two upper-case hexadecimal digits, separated by one blank ("0A FF 10").
QString BytesToHex(const QByteArray& bytes);

} // namespace qzc
