#include "reports/GridRefreshQueue.h"

#include "core/NumberText.h"

namespace qzc {

QString GridRefreshQueue::token(qint16 round) {
    return QLatin1Char('[') + QString::number(round) + QLatin1Char(']');
}

void GridRefreshQueue::append(qint16 round) {
    tag_ += token(round);
}

void GridRefreshQueue::appendOnce(qint16 round) {
    const QString next = token(round);
    if (!tag_.contains(next))
        tag_ += next;
}

void GridRefreshQueue::appendDownFrom(qint16 round) {
    for (qint16 r = round; r >= 1; --r)
        appendOnce(r);
}

std::optional<qint16> GridRefreshQueue::takeNext() {
    if (tag_.isEmpty())
        return std::nullopt;
    const qsizetype end = tag_.indexOf(QLatin1Char(']'));
    if (end < 0) {
        // Text without a closing bracket would never drain; it names no round.
        tag_.clear();
        return qint16{0};
    }
    const QString first = tag_.left(end + 1);
    tag_.remove(first);
    QString number = first.chopped(1);
    number.remove(QLatin1Char('['));
    return StrToInt(number);
}

} // namespace qzc
