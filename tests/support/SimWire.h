#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <initializer_list>

// Frames as the base station and the terminals build them. Written apart from the
// program's own frame code on purpose: a fault in one cannot hide a fault in the other.
namespace qzc::test::wire {

/// The 16-bit sum of the address bytes, L and the data.
quint16 frameSum(quint8 addressHigh, quint8 addressLow, const QByteArray& data);

/// A whole frame: FF, address, L, data, checksum. When checksumDelta is not 0 it is added
/// to the checksum, which makes the frame bad.
QByteArray frame(quint8 addressHigh, quint8 addressLow, const QByteArray& data, int checksumDelta = 0);

/// A terminal's frame: address = the terminal id.
QByteArray terminalFrame(quint16 terminalId, const QByteArray& data, int checksumDelta = 0);

/// Bytes from hex text such as "FF 00 0C"; blanks are ignored.
QByteArray bytes(const char* hexText);
/// Bytes from their values, as in bytes({1, 33, 30}).
QByteArray bytes(std::initializer_list<int> values);

} // namespace qzc::test::wire
