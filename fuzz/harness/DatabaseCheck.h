#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <map>

namespace qzc {
class ScoreDb;
}

namespace qzc::fuzz {

/// The rows of an event's database that no valid terminal request could have written: a
/// result, bid or played card of board 0 or of a round, pairs or board that the table's
/// movement does not have; a bid or played card whose seat or value no terminal byte gives;
/// a result of more than 13 tricks or of an unknown contract; dealt cards of board 0; a
/// terminal bound to a table that does not exist; a PIN of a pair or a player ID at a seat
/// outside the movement. One line per row, naming it; a query that fails is a line too.
/// Tables the database lacks are passed over. Made for events whose sections all have their
/// movement in RoundData.
///
/// The bids and played cards are only ever added to, and grow with every input of a long
/// fuzz run. Given the rows checked before, a check looks at the bids and played cards
/// added since and moves the marks on; without, it looks at every row.
struct CheckedRows {
    /// The highest rowid checked, by table.
    std::map<QString, qint64> upTo;
};
QStringList rowsNoRequestCouldWrite(ScoreDb& db, CheckedRows* checked = nullptr);

} // namespace qzc::fuzz
