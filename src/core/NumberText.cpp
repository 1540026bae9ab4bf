#include "core/NumberText.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace qzc {

namespace {

// Blanks, an optional sign, digits with an optional decimal point, an optional exponent.
const QRegularExpression& numberPattern() {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?\s*$)"));
    return pattern;
}

double roundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) {
        return lower;
    }
    if (diff > 0.5) {
        return lower + 1;
    }
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

template <typename Int> Int roundedInRange(const QString& text) {
    const double value = roundHalfToEven(StrToDouble(text));
    if (value < static_cast<double>(std::numeric_limits<Int>::min()) ||
        value > static_cast<double>(std::numeric_limits<Int>::max())) {
        return 0;
    }
    return static_cast<Int>(value);
}

} // namespace

bool IsNumeric(const QString& text) {
    // A plain whole number, the common case, needs no pattern.
    qsizetype digits = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            ++digits;
        else if (i > 0 || (c != QLatin1Char('+') && c != QLatin1Char('-')))
            return numberPattern().match(text).hasMatch();
    }
    return digits > 0 || numberPattern().match(text).hasMatch();
}

double StrToDouble(const QString& text) {
    if (!IsNumeric(text)) {
        return 0;
    }
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

qint16 StrToInt(const QString& text) {
    return roundedInRange<qint16>(text);
}

qint32 StrToLong(const QString& text) {
    return roundedInRange<qint32>(text);
}

qint64 roundHalfEven(double x) {
    // 2^63: the first value beyond the 64-bit range.
    constexpr double beyond = 9223372036854775808.0;
    if (!std::isfinite(x) || x >= beyond || x < -beyond)
        return 0;
    return static_cast<qint64>(roundHalfToEven(x));
}

qint32 PowerLong(qint16 base, qint16 exponent) {
    if (base == 0) {
        return 0;
    }
    if (exponent < 1) {
        return 1;
    }
    qint64 result = base;
    for (int i = 1; i < exponent; ++i) {
        result *= base;
        if (result > std::numeric_limits<qint32>::max() || result < std::numeric_limits<qint32>::min()) {
            return 0;
        }
    }
    return static_cast<qint32>(result);
}

qint16 PowerInt(qint16 base, qint16 exponent) {
    if (base < 1) {
        return 0;
    }
    if (base == 1 || exponent < 1) {
        return 1;
    }
    qint32 result = base;
    for (int i = 1; i < exponent; ++i) {
        result *= base;
        if (result > std::numeric_limits<qint16>::max()) {
            return 0;
        }
    }
    return static_cast<qint16>(result);
}

qint32 BitShift(qint32 value, qint16 count, bool left) {
    if (count < 1) {
        return value;
    }
    if (count >= 32) {
        return 0;
    }
    const qint64 factor = qint64{1} << count;
    if (!left) {
        return static_cast<qint32>(value / factor); // integer division truncates toward zero
    }
    const qint64 result = qint64{value} * factor;
    if (result > std::numeric_limits<qint32>::max() || result < std::numeric_limits<qint32>::min()) {
        return 0;
    }
    return static_cast<qint32>(result);
}

bool HasFlag(qint16 value, qint16 flag) {
    return (value & flag) == flag;
}

qint16 SetFlag(qint16 value, qint16 flag, bool on) {
    if (on && !HasFlag(value, flag)) {
        return static_cast<qint16>(value | flag);
    }
    if (!on && HasFlag(value, flag)) {
        return static_cast<qint16>(value & ~flag);
    }
    return value;
}

bool isNumberVariant(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace qzc
