#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class ScoreDb;

/// The names a seat of PlayerNumbers holds for the player number registered there: this
/// program's display name (custom_qz_names) and the Name that the scoring program reads and
/// may correct, with its Updated mark while the game-data check has not yet taken a correction
/// up. They belong to the player: a write that registers him again keeps them with him.
struct StoredSeatName {
    /// As stored.
    QString direction;
    double number = 0;
    QVariant displayName;
    QVariant name;
    QVariant updated;

    /// The scoring program wrote Name and the check has not yet taken it up.
    bool pending() const { return updated.toLongLong() != 0; }
    /// The display name the seat holds, else listed.
    QString displayNameOr(const QString& listed) const;
};

/// The names of the table's registered seats, as stored now: read inside the write
/// transaction that writes the seats, so that none committed before it is missed. Nothing
/// when they cannot be read.
std::optional<std::vector<StoredSeatName>> readStoredSeatNames(ScoreDb& db, qint16 section, qint16 table);

/// The seat of the player number (not 0), of direction when one is given (blanks and case
/// ignored); nullptr when there is none.
const StoredSeatName* findStoredSeatName(const std::vector<StoredSeatName>& seats, double number,
                                         const QString& direction = QString());

} // namespace qzc
