#pragma once

#include "scoring/TableAddress.h"

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace qzc {

class Log;
class ScoreDb;
struct EventInfo;

/// The results already stored for a table, for the terminal to show or restore (replies
/// 103 and 109), and their count for the table login.
class StoredResults {
public:
    /// Entry sizes and the most entries a reply holds: 13 bytes and 105 entries without
    /// South and West (reply 103), 15 bytes and 90 entries with them (reply 109).
    static constexpr int entrySize = 13;
    static constexpr int entrySizeWithSouthWest = 15;
    static constexpr int maxEntries = 105;
    static constexpr int maxEntriesWithSouthWest = 90;

    /// event gives the banded pair numbering, read at each call.
    StoredResults(ScoreDb& db, Log& log, const EventInfo& event);

    /// The table's stored, not erased results from firstRound on (all rounds for 0 or
    /// less), by round and board: board, contract, result and lead bytes, NS and EW pair
    /// (and with withSouthWest the South and West players) as the terminals number them,
    /// then year (two bytes), month, day, hour, minute and second of the stored time.
    /// Results without a contract or with a free remark are left out; "NP", "LP", "Not
    /// played" and the nine adjusted scores are sent. One byte 0 when there is nothing to
    /// send; a list longer than the reply holds is cut there with a log line. A Null
    /// column is sent as 0; a board or number that does not fit a byte is logged (the
    /// board's entry left out, a number sent as 0). Nothing on a database failure (logged).
    std::optional<QByteArray> getBoardResultData(const TableAddress& table, qint16 firstRound,
                                                 bool withSouthWest);

    /// How many stored, not erased results the table has from firstRound on (all rounds for
    /// 0 or less); 0 for a table whose letters name no section. Nothing on a database
    /// failure (logged).
    std::optional<qint16> countTableResults(const TableAddress& table, qint16 firstRound);

private:
    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
};

} // namespace qzc
