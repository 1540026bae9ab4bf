#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// The highest section number that has letters.
inline constexpr qint16 maxSectionLetterNo = 78;

/// The letters of section 1 to 78: "A" to "Z", then "AA", "BB" ... "ZZ", then "AAA" ...
/// "ZZZ"; empty for any other number.
QString sectionNoToLetter(qint16 sectionNo);

/// The section number of the letters (any case, blanks around them ignored); 0 when no
/// section has them.
qint16 sectionLetterToNo(const QString& letters);

/// The leading letters A to Z of a table id ("ab" of "ab7"), in the case typed.
QString tableIdLetter(const QString& tableId);

/// The table number at the end of a table id ("A12" gives 12); 0 when there is none or it
/// has more than four digits.
qint16 tableIdNumber(const QString& tableId);

/// A pair number as the terminals see it. With banded pair numbering, pairs of the bands
/// 1-99 and 300-399 become odd, pairs of 100-199 and 200-299 even, and pairs from 400 on
/// double; otherwise, and for 0 or less, the number is unchanged. The result is 32-bit so
/// that pairs above 16383 double without overflow.
qint32 convertPairNumber(qint16 pair, bool bandedPairNumbering);

} // namespace qzc
