#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class Log;
class ScoreDb;

/// One section's movement change as the score database holds it (Null read as 0): the
/// rounds from which the scoring program updated the movement of its tables
/// (Tables.UpdateFromRound, 0 for none), the section's stanza and movement-change mode, its
/// last round with a result and the last round of its movement.
struct MovementChange {
    qint16 section = 0;
    qint16 maxUpdateFromRound = 0;
    qint16 minUpdateFromRound = 0;
    qint16 stanzaBegin = 0;
    qint16 stanzaEdge = 0;
    qint16 ufrMode = 0;
    qint16 maxRoundResult = 0;
    qint16 maxRound = 0;

    /// The last round of the old movement when the change is one the analysis decides: no
    /// decision pending (mode 0), a movement, and a round inside the stanza (or round 0 of a
    /// stanza from round 1). Nothing for a section without a change, with its decision made,
    /// or with a change it passes over.
    std::optional<qint16> lastOldRound() const;
};

/// The section's movement change as stored now; nothing when the section has no table or
/// the facts cannot be read (logged under source).
std::optional<MovementChange> readMovementChange(ScoreDb& db, Log& log, const QString& source,
                                                 qint16 sectionId);

/// True while the section's tables mark a change that the analysis is still to decide, and
/// when that cannot be read: such marks are kept until the decision is stored.
bool movementChangeUndecided(ScoreDb& db, Log& log, const QString& source, qint16 sectionId);

} // namespace qzc
