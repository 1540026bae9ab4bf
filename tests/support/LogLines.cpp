#include "support/LogLines.h"

#include <QRegularExpression>

namespace qzc::test {

namespace {

// The line without its "yyyy-MM-dd hh:mm:ss.zzz " stamp; a line that continues a message
// of several lines has none.
QString withoutStamp(const QString& line) {
    static const QRegularExpression stamp(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
    const QRegularExpressionMatch match = stamp.match(line);
    return match.hasMatch() ? line.mid(match.capturedLength()) : line;
}

} // namespace

QStringList logBodies(const QString& text) {
    QStringList bodies;
    for (const QString& line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const QString body = withoutStamp(line);
        if (body != QLatin1String("Flush previous log buffer"))
            bodies.append(body);
    }
    return bodies;
}

QString logLineBody(const QString& line) {
    QString body = withoutStamp(line);
    if (body.startsWith(QLatin1String(": ")))
        body.remove(0, 2);
    return body;
}

QStringList logMessages(const QString& text) {
    QStringList messages;
    for (const QString& body : logBodies(text))
        messages.append(body.startsWith(QLatin1String(": ")) ? body.mid(2) : body);
    return messages;
}

} // namespace qzc::test
