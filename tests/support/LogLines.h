#pragma once

#include "core/Log.h"

#include <QStringList>

namespace qzc::test {

/// The lines a log holds in its buffer, without the time stamp and without the lines that
/// mark a flush: ": ACK", "sys-err1005 Invalid checksum value: FF ... (source)".
inline QStringList logBodies(const Log& log) {
    QStringList bodies;
    for (const QString& line : log.bufferedText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString body = line.mid(24);
        if (body != QLatin1String("Flush previous log buffer"))
            bodies.append(body);
    }
    return bodies;
}

} // namespace qzc::test
