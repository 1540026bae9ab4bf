#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace qzc {

// A radio frame on the serial line, both ways: 0xFF, address high, address low, L, L data
// bytes, checksum high, checksum low. The frame body is everything between the start byte
// and the checksum (L + 3 bytes). Nothing is escaped.

/// The start byte of every frame.
constexpr quint8 frameStart = 0xFF;
/// The address high byte of a frame to or from the base station itself.
constexpr quint8 baseStationAddress = 0xFF;
/// Bytes of a frame around its data: start, two address bytes, L, two checksum bytes.
constexpr int frameOverhead = 6;

/// Commands that the base station answers itself (the address low byte).
enum class BaseStationCommand : quint8 {
    SetChannel = 1,
    AskChannel = 2,
    Knock = 3,
    FirmwareVersion = 4,
};

/// The first data byte of the base station's answers to a knock.
constexpr quint8 knockAck = 0x55;
constexpr quint8 knockNack = 0xAA;

/// [checksum high, checksum low] of bytes: their sum, high byte and low byte. Empty for no
/// bytes, and for a sum above 65535, whose high part does not fit one byte.
QByteArray calcChecksum(const QByteArray& bytes);

/// The body of a base-station command: FF, the command, L = 1, the argument.
QByteArray baseStationCommandBody(BaseStationCommand command, quint8 argument);

} // namespace qzc
