#pragma once

namespace qzc {

class Log;
class ScoreDb;

/// The start of a new event: no table has a set-up to reload or a changed movement, and
/// every section plays one stanza from round 1 to its highest round in RoundData (0 for a
/// section without rounds), with no movement change pending. Failed statements are logged
/// and the start goes on.
void resetEventStanzas(ScoreDb& db, Log& log);

} // namespace qzc
