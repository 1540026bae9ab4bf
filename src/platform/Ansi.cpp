#include "platform/Ansi.h"

#include <QStringDecoder>
#include <array>

namespace qzc::Ansi {
namespace {

/// Unicode of the bytes 0x80 to 0x9F; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> highTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr char unknownChar = '?';

} // namespace

char encodeChar(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (std::size_t i = 0; i < highTable.size(); ++i) {
        if (highTable[i] == u)
            return static_cast<char>(0x80 + i);
    }
    return unknownChar;
}

QByteArray encode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A pair of surrogates is one character outside Windows-1252.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append(encodeChar(c));
    }
    return bytes;
}

QString decode(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        text[i] = (b >= 0x80 && b < 0xA0) ? QChar(highTable[b - 0x80]) : QChar(char16_t{b});
    }
    return text;
}

QString decodeFileText(const QByteArray& bytes) {
    // Stateless: a sequence cut off at the end of the file counts as an error.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decode(bytes);
}

} // namespace qzc::Ansi
