#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>

namespace qzc::fields {

/// The value as a 16-bit number; nothing for Null, a text that is not a whole number or a
/// number outside -32768..32767.
inline std::optional<qint16> toInt16(const QVariant& value) {
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok || d < -32768 || d > 32767)
        return std::nullopt;
    return static_cast<qint16>(d);
}

/// The named field of a row as a 16-bit number (see toInt16); nothing when the row lacks it.
inline std::optional<qint16> int16(const QSqlRecord& row, const QString& name) {
    const int index = row.indexOf(name);
    return index < 0 ? std::nullopt : toInt16(row.value(index));
}

/// The named field as a 16-bit number, fallback when it is Null or missing.
inline qint16 int16Or(const QSqlRecord& row, const QString& name, qint16 fallback = 0) {
    return int16(row, name).value_or(fallback);
}

/// The named field as text; a Null or missing field reads as empty text.
inline QString text(const QSqlRecord& row, const QString& name) {
    const int index = row.indexOf(name);
    if (index < 0)
        return {};
    const QVariant value = row.value(index);
    return value.isNull() ? QString() : value.toString();
}

} // namespace qzc::fields
