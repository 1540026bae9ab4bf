#pragma once

#include <QStringList>

namespace qzc {
class ScoreDb;
}

namespace qzc::fuzz {

/// The rows of an event's database that no valid terminal request could have written: a
/// result, bid or played card of board 0 or of a board beyond the section's movement; a
/// result of pairs or a round that the table's movement does not have, or of more than 13
/// tricks or an unknown contract; a terminal bound to a table that does not exist; a PIN of
/// a pair or a player ID at a seat outside the movement. One line per row, naming it; a
/// query that fails is a line too. Tables the database lacks are passed over.
QStringList rowsNoRequestCouldWrite(ScoreDb& db);

} // namespace qzc::fuzz
