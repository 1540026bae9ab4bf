#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// GoogleTest prints these types through PrintTo in the types' own (global) namespace, so
// that a failed comparison shows the text instead of raw bytes.

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << "0x" << bytes.toHex(' ').toStdString();
}
