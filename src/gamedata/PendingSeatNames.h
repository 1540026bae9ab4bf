#pragma once

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace qzc {

class ScoreDb;

/// A name the scoring program wrote at a seat of PlayerNumbers (Name, with Updated set) that
/// the game-data check has not yet taken up into custom_qz_names. It names the player the
/// seat holds: a write that moves or registers that player again keeps it with him.
struct PendingSeatName {
    /// As stored.
    QString direction;
    double number = 0;
    /// Name and Updated as stored.
    QVariant name;
    QVariant updated;
};

/// The pending names of the table's seats, as stored now: read inside the write transaction
/// that writes the seats, so that none committed before it is missed. Nothing when they
/// cannot be read.
std::optional<std::vector<PendingSeatName>> readPendingSeatNames(ScoreDb& db, qint16 section, qint16 table);

/// The pending name of the player number (not 0), at the seat of direction when one is given
/// (blanks and case ignored); nullptr when there is none.
const PendingSeatName* findPendingSeatName(const std::vector<PendingSeatName>& pending, double number,
                                           const QString& direction = QString());

} // namespace qzc
