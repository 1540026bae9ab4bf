#include "harness/TextRig.h"

#include "harness/TextParsers.h"
#include "support/Fixtures.h"

#include <QFile>

namespace qzc::fuzz {

bool TextRig::start() {
    test::EventBuilder event = test::fixtures::mitchell();
    if (!harness.buildAndStart(event)) {
        failure_ = QStringLiteral("start-up failed: ") + event.lastError() + QLatin1Char(' ') +
                   harness.logMessages().join(QLatin1Char('\n'));
        return false;
    }
    return true;
}

QString TextRig::writeFile(const QString& name, const QByteArray& bytes) {
    const QString path = harness.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QStringList TextRig::run(const QByteArray& input) {
    const qsizetype lineEnd = input.indexOf('\n');
    if (lineEnd < 0)
        return {};
    const QByteArray name = input.left(lineEnd);
    shell.opened.clear();
    logTrim_.afterInput(harness.event.logFilePath());
    for (const TextParser& parser : textParsers()) {
        if (name == parser.name)
            return parser.parse(*this, input.mid(lineEnd + 1));
    }
    return {};
}

} // namespace qzc::fuzz
