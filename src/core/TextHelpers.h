#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace qzc {

/// The n-th field (from 1) of text cut at delimiter; empty when text is empty, n is below
/// 1 or text has fewer than n fields. Case-sensitive; delimiter must not be empty.
QString GetField(const QString& text, qint16 n, const QString& delimiter);

/// How often find occurs in text, overlapping matches included ("aa" in "aaaa" is 3).
/// 0 for an empty find.
int CountOccurrences(const QString& text, const QString& find);

/// Every occurrence of find replaced, left to right, never rescanning a replacement.
/// A blank text (see IsBlank) or an empty find returns text unchanged.
QString ReplaceText(const QString& text, const QString& find, const QString& replacement);

/// text brought to length with copies of pad (one blank when pad is empty), in front when
/// left is true; a text at least that long is returned unchanged, never cut.
QString PadText(const QString& text, qint16 length, const QString& pad, bool left);

/// text brought to width with blanks, in front when alignRight is true; never cut.
QString FixedWidth(const QString& text, qint16 width, bool alignRight);

/// text made safe as one field of a line of a text file that other programs read: line
/// breaks and tabs become blanks, a double quote (which opens a quoted field) becomes a
/// single one, and every character of separators becomes a blank.
QString lineFieldText(const QString& text, const QString& separators = {});

/// True for a text that is empty, blanks only, or NUL characters only once the blanks
/// around it are removed.
bool IsBlank(const QString& text);
/// True for an unset or NULL value, a number equal to 0 and a blank text (as above);
/// false for anything else (Booleans and dates included).
bool IsBlank(const QVariant& value);

/// The text of a box that takes numbers only, with its caret.
struct NumericText {
    QString text;
    int caret = 0;
};
/// A text that reads as a number as a whole comes back unchanged; any other loses every
/// character that is not a digit, its caret staying where it was (at most at the new end).
NumericText NumericOnlyText(const QString& text, int caret);

} // namespace qzc
