#include "gamedata/TerminalRows.h"

#include <QSqlQuery>

namespace qzc {

namespace {

std::optional<qint64> number(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 n = value.toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

} // namespace

const std::vector<TerminalRows::Row>* TerminalRows::at(const ScoreDb::ChangeMark& mark) {
    if (mark_.holdsAt(mark))
        return &rows_;
    mark_ = {};
    rows_.clear();
    std::optional<QSqlQuery> query = db_.select(QStringLiteral(
        "SELECT custom_qz_TQZ.TQZ_ID, custom_qz_TQZ.Section, custom_qz_TQZ.[Table], ResultExpected, "
        "ResultGot, Lock, VersionMajor, VersionMinor, Section.ID, Section.Letter FROM custom_qz_TQZ LEFT "
        "JOIN "
        "Section "
        "ON custom_qz_TQZ.Section=Section.ID"));
    if (!query)
        return nullptr;
    while (query->next()) {
        Row row;
        row.id = number(query->value(0));
        row.section = number(query->value(1));
        row.tableValue = query->value(2);
        row.table = number(row.tableValue);
        row.expected = number(query->value(3));
        row.got = number(query->value(4));
        row.lock = number(query->value(5));
        row.versionMajor = query->value(6);
        row.versionMinor = query->value(7);
        row.sectionFound = !query->value(8).isNull();
        row.letters = query->value(9);
        rows_.push_back(std::move(row));
    }
    mark_ = mark;
    return &rows_;
}

void TerminalRows::changedTable(qint16 sectionId, qint16 table, const ScoreDb::ChangeMark& before,
                                const ScoreDb::ChangeMark& after, const std::function<void(Row&)>& change) {
    if (!mark_.holdsAt(before) || !before.onlyOwnChangesUntil(after)) {
        mark_ = {};
        return;
    }
    for (Row& row : rows_) {
        if (row.isTable(sectionId, table))
            change(row);
    }
    mark_ = after;
}

} // namespace qzc
