#include "reports/ResultFileText.h"

#include <cmath>

namespace qzc {

qint64 roundHalfEven(double x) {
    if (!std::isfinite(x))
        return 0;
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<qint64>(whole);
}

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
