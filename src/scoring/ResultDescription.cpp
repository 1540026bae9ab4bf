#include "scoring/ResultDescription.h"

#include "core/ResultEntry.h"

namespace qzc {

namespace {

QString number(qint64 n) {
    return QString::number(n);
}

QString declarerWord(const QString& declarer) {
    if (declarer == QLatin1String("N"))
        return QStringLiteral("North");
    if (declarer == QLatin1String("E"))
        return QStringLiteral("East");
    if (declarer == QLatin1String("S"))
        return QStringLiteral("South");
    if (declarer == QLatin1String("W"))
        return QStringLiteral("West");
    return {};
}

QString player(qint16 pair, qint16 extra) {
    QString text = QLatin1Char('#') + number(pair);
    if (extra > 0)
        text += QStringLiteral("/#") + number(extra);
    return text;
}

} // namespace

bool describesContract(const ResultEntry& stored) {
    return !stored.contract.isEmpty() && stored.valid != 0;
}

QString describeResultText(const ResultSeat& seat, const ResultEntry& stored) {
    const QString crlf = QStringLiteral("\r\n");
    QString result;
    if (describesContract(stored)) {
        const QString score =
            stored.score > 0 ? QLatin1Char('+') + number(stored.score) : number(stored.score);
        result = declarerWord(stored.declarer) + QLatin1Char(' ') + stored.contract + QStringLiteral("; ") +
                 number(stored.tricks) + QStringLiteral(" tricks; ") + score;
    } else {
        result = stored.remarks;
    }
    return QStringLiteral("Board ") + number(seat.board) + crlf + QStringLiteral("Table ") + seat.tableId +
           QStringLiteral("; Round ") + number(seat.round) + crlf + QStringLiteral("NS ") +
           player(seat.nsPair, seat.south) + QStringLiteral("; EW ") + player(seat.ewPair, seat.west) + crlf +
           result;
}

} // namespace qzc
