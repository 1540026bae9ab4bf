// Section lists and labels read directly from the Section table.
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/FieldValues.h"
#include "gamedata/GameData.h"

#include <QSqlQuery>

namespace qzc {

QList<SectionListEntry> GameData::fillSectionList() const {
    QList<SectionListEntry> entries;
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT ID, Letter FROM Section ORDER BY Letter"));
    if (!query) {
        logDbError(QStringLiteral("Database - get Section list"));
        return entries;
    }
    while (query->next()) {
        const QString letter = query->value(1).isNull() ? QString() : query->value(1).toString().trimmed();
        entries.append(SectionListEntry{letter, fields::toInt16(query->value(0)).value_or(0)});
    }
    return entries;
}

std::optional<SectionNumberList> GameData::getSectionLetters() const {
    std::optional<QSqlQuery> query = db_.select(QStringLiteral("SELECT Letter FROM Section ORDER BY Letter"));
    if (!query) {
        logDbError(QStringLiteral("Database - get active section"));
        return std::nullopt;
    }
    SectionNumberList list;
    int sections = 0;
    while (query->next()) {
        ++sections;
        if (sections > maxStatusSections)
            continue;
        const QString letter = query->value(0).isNull() ? QString() : query->value(0).toString();
        list.numbers.append(static_cast<char>(static_cast<quint8>(sectionLetterToNo(letter))));
    }
    if (sections > maxStatusSections)
        log_.writeLog(0, QStringLiteral("Game status carries the first 18 sections, ") +
                             QString::number(sections - maxStatusSections) +
                             QStringLiteral(" more left out"));
    list.lastIndex = static_cast<qint16>(list.numbers.size() - 1);
    if (list.numbers.isEmpty())
        list.numbers = QByteArray(1, '\0');
    return list;
}

QString GameData::getSectionLetter(qint16 sectionId) const {
    QString letter;
    db_.getDBValue(QStringLiteral("SELECT Letter FROM Section WHERE ID=?"), QStringLiteral("Letter"), letter,
                   {int{sectionId}});
    return letter.trimmed();
}

} // namespace qzc
