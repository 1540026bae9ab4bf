#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace qzc {

/// Windows-1252 ("ANSI"), the code page of the terminals' text and of the files that other
/// programs of the family read and write.
namespace Ansi {

/// Characters that Windows-1252 lacks become '?' (one per character, also outside the BMP).
QByteArray encode(const QString& text);
char encodeChar(QChar c);

/// Every byte decodes; the five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
/// 0x90, 0x9D) become the control characters of the same number, as in Latin-1.
QString decode(const QByteArray& bytes);

/// A text file's content: UTF-8 when it is valid UTF-8 (a leading byte order mark is
/// dropped), else Windows-1252.
QString decodeFileText(const QByteArray& bytes);

} // namespace Ansi
} // namespace qzc
