#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// x rounded to a whole number, a half to the even neighbour (62.5 gives 62, 63.5 gives 64).
qint64 roundHalfEven(double x);

/// roundHalfEven(x) as plain decimal text ("-3", "0", "64").
QString roundedText(double x);

/// A text made safe for one ";"-separated field of the result file: '"' becomes "'", ';'
/// becomes ',' and line breaks become blanks, so no value can end a field or a line.
QString resultFileField(const QString& text);

} // namespace qzc
