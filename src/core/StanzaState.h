#pragma once

#include <QtGlobal>

namespace qzc {

/// Where a section stands in the stanzas of its movement.
enum class StanzaState : qint16 {
    /// The movement has no rounds beyond the stanza's edge round.
    NoFurtherRounds = 0,
    /// Further rounds exist and every terminal table has its results: the next stanza may
    /// start ("Start New Movement").
    ReadyForNextStanza = 1,
    /// Further rounds exist but results of the stanza are still owed (a forced start may
    /// cut them off).
    ResultsOwed = 2,
};

} // namespace qzc
