#pragma once

#include "core/SectionLetters.h"

#include <QString>
#include <QtGlobal>

namespace qzc {

/// A terminal's table as the result builders address it: the table id as the terminal
/// knows it ("A12"), the ID of the section its letters name (0 when they name none) and
/// its table number.
struct TableAddress {
    QString tableId;
    qint16 sectionId = 0;
    qint16 table = 0;

    /// The address of tableId; sectionId is the game data's getSectionID of its letters.
    static TableAddress of(const QString& tableId, qint16 sectionId) {
        return TableAddress{tableId, sectionId, tableIdNumber(tableId)};
    }

    /// "Section=<ID> AND [Table]=<number>".
    QString sqlSectionTable() const {
        return QStringLiteral("Section=") + QString::number(sectionId) + QStringLiteral(" AND [Table]=") +
               QString::number(table);
    }
};

} // namespace qzc
