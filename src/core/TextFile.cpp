#include "core/TextFile.h"

#include "platform/Ansi.h"

#include <QFile>
#include <QSaveFile>

namespace qzc {

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

QString ReadTextFile(const QString& path, qint16& errorCode) {
    errorCode = 0;
    if (path.isEmpty()) {
        errorCode = 1;
        return {};
    }
    if (!FileExists(path)) {
        return {};
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        errorCode = static_cast<qint16>(file.error());
        return QStringLiteral("This file could not be opened - ") + path;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        errorCode = static_cast<qint16>(file.error());
        return QStringLiteral("This file could not be opened - ") + path;
    }
    return Ansi::decodeFileText(bytes);
}

bool WriteTextFile(const QString& path, const QString& text, QString& errorText) {
    const QByteArray bytes = Ansi::encode(text);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    errorText = file.errorString();
    return false;
}

} // namespace qzc
