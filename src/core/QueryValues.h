#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace qzc {

/// A column of the current row as a 16-bit number: 0 for Null, for text that is not a
/// number and for a value outside -32768..32767.
inline qint16 queryInt16(const QSqlQuery& query, int index) {
    const QVariant value = query.value(index);
    if (value.isNull())
        return 0;
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    return ok && n >= -32768 && n <= 32767 ? static_cast<qint16>(n) : 0;
}

/// A column of the current row as text; empty for Null.
inline QString queryText(const QSqlQuery& query, int index) {
    const QVariant value = query.value(index);
    return value.isNull() ? QString() : value.toString();
}

} // namespace qzc
