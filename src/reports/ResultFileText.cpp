#include "reports/ResultFileText.h"

namespace qzc {

QString roundedText(double x) {
    return QString::number(roundHalfEven(x));
}

QString resultFileField(const QString& text) {
    QString field = text;
    field.replace(QLatin1Char('"'), QLatin1Char('\''));
    field.replace(QLatin1Char(';'), QLatin1Char(','));
    field.replace(QLatin1Char('\r'), QLatin1Char(' '));
    field.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

} // namespace qzc
