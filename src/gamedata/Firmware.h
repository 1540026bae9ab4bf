#pragma once

#include <QtGlobal>

namespace qzc {

/// Terminals below firmware 3.20 take the deal-entry board in byte 1 of their movement
/// block instead of the round mask. 4.10 is the newer generation: the minor version only
/// counts with major version 3.
constexpr bool isOldFirmware(qint16 versionMajor, qint16 versionMinor) {
    return versionMajor < 3 || (versionMajor == 3 && versionMinor < 20);
}

} // namespace qzc
