#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>

namespace qzc {

/// True when text reads as a number as a whole: surrounding blanks, a sign, a decimal
/// point and an exponent are accepted ("12", " -3.5 ", "1e3", ".5", "7.").
bool IsNumeric(const QString& text);

/// True when the value holds a number type (integer or floating point), not text.
bool isNumberVariant(const QVariant& value);

/// The number of text rounded to a whole number, a half to the even neighbour ("2.5" is 2,
/// "3.5" is 4); 0 for an empty or non-numeric text and for one outside -32768..32767.
qint16 StrToInt(const QString& text);
/// As StrToInt, for the 32-bit range.
qint32 StrToLong(const QString& text);
/// x rounded to a whole number, a half to the even neighbour (62.5 gives 62, 63.5 gives 64);
/// 0 for a value that is not finite or does not fit 64 bits.
qint64 roundHalfEven(double x);
/// The number of text; 0 for an empty, non-numeric or non-finite text.
double StrToDouble(const QString& text);

/// base to the power exponent: 0 for base 0 (whatever the exponent), 1 for an exponent
/// below 1; 0 when the result does not fit 32 bits.
qint32 PowerLong(qint16 base, qint16 exponent);
/// 16-bit power: 0 for a base below 1, 1 for base 1 or an exponent below 1; 0 when the
/// result does not fit 16 bits.
qint16 PowerInt(qint16 base, qint16 exponent);
/// value times 2^count (left) or value divided by 2^count truncated toward zero; a count
/// below 1 leaves value unchanged. A left shift that does not fit 32 bits gives 0, a right
/// shift by 32 or more gives 0.
qint32 BitShift(qint32 value, qint16 count, bool left);
/// True when every bit of flag is set in value.
bool HasFlag(qint16 value, qint16 flag);
/// value with flag added (on) or removed (off); unchanged when it is already so.
qint16 SetFlag(qint16 value, qint16 flag, bool on);

} // namespace qzc
