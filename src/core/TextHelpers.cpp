#include "core/TextHelpers.h"

#include "core/NumberText.h"

#include <algorithm>

namespace qzc {

QString GetField(const QString& text, qint16 n, const QString& delimiter) {
    if (text.isEmpty() || n < 1 || delimiter.isEmpty()) {
        return {};
    }
    qsizetype start = 0;
    for (qint16 field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(delimiter, start);
        if (next < 0) {
            return {};
        }
        start = next + delimiter.size();
    }
    const qsizetype end = text.indexOf(delimiter, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

int CountOccurrences(const QString& text, const QString& find) {
    if (find.isEmpty()) {
        return 0;
    }
    int count = 0;
    for (qsizetype at = text.indexOf(find); at >= 0; at = text.indexOf(find, at + 1)) {
        ++count;
    }
    return count;
}

QString ReplaceText(const QString& text, const QString& find, const QString& replacement) {
    if (IsBlank(text) || find.isEmpty()) {
        return text;
    }
    QString result = text;
    return result.replace(find, replacement, Qt::CaseSensitive);
}

QString PadText(const QString& text, qint16 length, const QString& pad, bool left) {
    if (text.size() >= length) {
        return text;
    }
    const QString filler = pad.isEmpty() ? QStringLiteral(" ") : pad;
    const QString padding = filler.repeated(length - text.size());
    return left ? padding + text : text + padding;
}

QString FixedWidth(const QString& text, qint16 width, bool alignRight) {
    return PadText(text, width, QStringLiteral(" "), alignRight);
}

QString lineFieldText(const QString& text, const QString& separators) {
    QString field = text;
    for (QChar& c : field) {
        if (c == u'\r' || c == u'\n' || c == u'\t' || separators.contains(c))
            c = u' ';
        else if (c == u'"')
            c = u'\'';
    }
    return field;
}

bool IsBlank(const QString& text) {
    // Blanks around the content are ignored; what is left must be NUL characters only.
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text[last - 1] == QLatin1Char(' ')) {
        --last;
    }
    for (qsizetype i = first; i < last; ++i) {
        if (text[i] != QChar(0)) {
            return false;
        }
    }
    return true;
}

bool IsBlank(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return true;
    }
    if (isNumberVariant(value))
        return value.toDouble() == 0;
    if (value.metaType().id() == QMetaType::QString)
        return IsBlank(value.toString());
    return false;
}

NumericText NumericOnlyText(const QString& text, int caret) {
    if (IsNumeric(text))
        return {text, caret};
    QString digits;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
    }
    return {digits, std::clamp(caret, 0, static_cast<int>(digits.size()))};
}

} // namespace qzc
