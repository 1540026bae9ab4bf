#pragma once

#include "core/NumberText.h"

#include <QString>
#include <QtGlobal>

namespace qzc {

/// roundHalfEven(x) as plain decimal text ("-3", "0", "64").
QString roundedText(double x);

/// A text made safe for one ";"-separated field of the result file: '"' becomes "'", ';'
/// becomes ',' and line breaks become blanks, so no value can end a field or a line.
QString resultFileField(const QString& text);

} // namespace qzc
