#include "gamedata/NameMaintenance.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/TextHelpers.h"

#include <QSqlQuery>
#include <algorithm>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct NumberedSeat {
    qint16 section = 0;
    qint16 table = 0;
    QString direction;
    QString number;
    QString name;
};

bool matchesPair(const PlayerNameRecord& record, const QString& text) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return true;
    if (IsNumeric(wanted))
        return record.pair == StrToDouble(wanted);
    if (wanted.contains(QLatin1Char(' ')))
        return QString(wanted).remove(QLatin1Char(' ')).toUpper() ==
               record.seatLabel.toUpper() + QString::number(record.pair);
    return record.seatLabel.toUpper() == wanted.toUpper();
}

bool matches(const PlayerNameRecord& record, int column, const QString& text) {
    const QString wanted = text.trimmed();
    switch (column) {
    case 0:
        return record.tableLabel.toUpper().startsWith(wanted.toUpper());
    case 1:
        return matchesPair(record, text);
    case 2:
        return playerNumberText(record.number).trimmed().startsWith(wanted);
    default:
        return record.name.trimmed().toUpper().contains(wanted.toUpper());
    }
}

} // namespace

void NameMaintenance::updatePlayerNames() {
    if (!event_.tablePresent.present(SharedTable::PlayerNumbers))
        return;
    std::vector<NumberedSeat> seats;
    {
        std::optional<QSqlQuery> query =
            db_.select(QStringLiteral("SELECT Section, [Table], Direction, [Number], custom_qz_names"
                                      " FROM PlayerNumbers WHERE custom_qz_names=[Number]"));
        if (!query) {
            log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                          QStringLiteral("Database - updatePlayerNames"), true);
            return;
        }
        while (query->next())
            seats.push_back(NumberedSeat{queryInt16(*query, 0), queryInt16(*query, 1), queryText(*query, 2),
                                         queryText(*query, 3), queryText(*query, 4).trimmed()});
    }
    const std::vector<KnownPlayer>& known = names_.playerNameList();
    bool changed = false;
    for (NumberedSeat& seat : seats) {
        if (const std::optional<std::size_t> found = searchNameList(known, StrToDouble(seat.number)))
            seat.name = known[*found].name;
        if (seat.name == seat.number)
            continue;
        db_.execSQL(QStringLiteral("UPDATE PlayerNumbers SET custom_qz_names=? WHERE Section=? AND [Table]=?"
                                   " AND Direction=?"),
                    QStringLiteral("Update player names"), false,
                    {names_.seatName(seat.name), seat.section, seat.table, seat.direction});
        changed = true;
    }
    if (changed)
        names_.loadRegisteredNames(true);
}

QString NameMaintenance::namesListText() const {
    std::vector<PlayerNameRecord> list = names_.registeredNameList();
    const bool numberFirst = config_.NameListSorting;
    std::stable_sort(list.begin(), list.end(),
                     [numberFirst](const PlayerNameRecord& a, const PlayerNameRecord& b) {
                         return numberFirst ? a.number < b.number
                                            : QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
                     });
    const QString dot = QStringLiteral(".");
    QString text;
    for (const PlayerNameRecord& record : list) {
        const QString number = playerNumberText(record.number);
        const QString name = lineFieldText(record.name);
        text += numberFirst ? PadText(number, 13, dot, false) + name : PadText(name, 21, dot, false) + number;
        text += kCrLf;
    }
    return text;
}

NameGridFill NameMaintenance::searchPlayerName(const std::vector<PlayerNameRecord>& list,
                                               const std::array<QString, 4>& searchTexts,
                                               qint16 nameGridSortKey) {
    NameGridFill fill;
    fill.markedColumn = qAbs(nameGridSortKey);
    // The lowest-numbered text searched decides the column.
    for (int column = 3; column >= 0; --column) {
        if (!searchTexts[static_cast<std::size_t>(column)].isEmpty())
            fill.markedColumn = column + 1;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        const PlayerNameRecord& record = list[i];
        bool found = true;
        for (int column = 0; column < 4 && found; ++column) {
            const QString& text = searchTexts[static_cast<std::size_t>(column)];
            found = text.isEmpty() || matches(record, column, text);
        }
        if (!found)
            continue;
        if (static_cast<int>(fill.rows.size()) == NameGridFill::maxRows) {
            fill.limitReached = true;
            break;
        }
        fill.rows.push_back(
            {QString::number(i + 1), record.tableLabel,
             record.pair < 1 ? QString()
                             : record.seatLabel + FixedWidth(QString::number(record.pair), 6, true),
             record.number == 0 ? QStringLiteral("n/a") : playerNumberText(record.number), record.name});
    }
    return fill;
}

std::optional<NameChangePrompt>
NameMaintenance::confirmPlayerChange(qint32 rowIndex, const std::vector<PlayerNameRecord>& list,
                                     bool changeId) {
    if (rowIndex < 1 || static_cast<std::size_t>(rowIndex) > list.size())
        return std::nullopt;
    const PlayerNameRecord& record = list[static_cast<std::size_t>(rowIndex - 1)];
    NameChangePrompt prompt;
    prompt.rowIndex = rowIndex;
    prompt.seat = record;
    if (changeId) {
        prompt.mode = QStringLiteral("ID");
        prompt.caption = QStringLiteral("Change ID?");
        prompt.value = playerNumberText(record.number);
        prompt.message = QStringLiteral("Do you want to replace the registered ID @Table: ") +
                         record.tableLabel + QLatin1Char(' ') + record.seatLabel + QStringLiteral(", #") +
                         QString::number(record.pair);
        prompt.labelLeft = QStringLiteral("With ID");
        prompt.labelRight = QStringLiteral("?");
        prompt.helpTopic = 16;
    } else {
        prompt.mode = QStringLiteral("NAME");
        prompt.caption = QStringLiteral("Change name?");
        prompt.value = record.name;
        prompt.message = QStringLiteral("Do you want to change the name linked to:") + kCrLf +
                         QStringLiteral("ID ") + playerNumberText(record.number) + kCrLf + kCrLf + kCrLf;
        prompt.labelBelow = QStringLiteral("(A change here will only affect the current event)");
        prompt.helpTopic = 18;
    }
    return prompt;
}

} // namespace qzc
