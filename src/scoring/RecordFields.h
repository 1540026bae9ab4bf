#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <algorithm>
#include <limits>

namespace qzc {

// Values of a database row as the scoring code reads them: a Null reads as 0 or as an
// empty text, and a number beyond the target's range is held at its end.

inline qint16 int16Value(const QVariant& value) {
    if (value.isNull())
        return 0;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok)
        return 0;
    return static_cast<qint16>(
        std::clamp<qlonglong>(n, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

inline QString textValue(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

/// A value for one payload byte, held to 0..255.
inline char byteValue(int value) {
    return static_cast<char>(std::clamp(value, 0, 255));
}

} // namespace qzc
