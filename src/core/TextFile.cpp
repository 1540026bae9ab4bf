#include "core/TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <array>

namespace qzc {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned bytes keep
// their Latin-1 code points, as Windows maps them.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    text.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = byte >= 0x80 && byte <= 0x9F ? QChar(cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

} // namespace

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
    return decodeText(bytes);
}

} // namespace qzc
