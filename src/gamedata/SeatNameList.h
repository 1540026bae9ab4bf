#pragma once

#include "gamedata/PlayerNames.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <vector>

namespace qzc {

class GameData;

/// Where the list of the registered-players dialog comes from: the seats of the chosen round,
/// or every known name.
enum class NameListSource { Current, OnFile };

/// What the registered-players dialog lists: the source, the round and the direction filters.
struct NameListChoice {
    NameListSource source = NameListSource::Current;
    qint16 round = 1;
    bool showNS = true;
    bool showEW = true;
};

/// The list behind the registered-players grid. For the current seating: every registered
/// player, then every seat that has none (numbered with the pair, or player, seated there in
/// round 1), each placed where its pair or player sits in the chosen round. For the names on
/// file: every known name. In the current seating a record's tableLabel is the table id of
/// the round ("A12"), seatLabel its seat letter ("N", "E", "S" or "W") and gridSortValue the
/// seat order: section number x 10000 + table x 100 + seat code (1 to 4 for N, E, S, W).
class SeatNameList {
public:
    /// The grid's columns.
    static constexpr int columnCount = 5;

    SeatNameList(const GameData& gameData, const PlayerNames& names) : gameData_(gameData), names_(names) {}

    /// Rebuilds both lists for the choice.
    void SetupNameList(const NameListChoice& choice);
    /// Sorts the shown entries by a grid column (1 Table, 2 Pair, 3 Member ID, 4 Name; a
    /// negative key descending) and returns the key it sorted by: 0 counts as 1, and names on
    /// file, which have neither table nor pair, are sorted by name.
    qint16 SortNameList(qint16 sortKey);

    /// The grid's headings, the sorted column's ending with "+" (ascending) or "-".
    static std::array<QString, columnCount> gridHeadings(qint16 sortKey);

    /// Every entry built: the registered players, then the seats without one.
    const std::vector<PlayerNameRecord>& seatNameList() const { return seatNameList_; }
    /// The entries the grid shows, in its order.
    const std::vector<PlayerNameRecord>& shownNameList() const { return shownNameList_; }

private:
    /// Places the entry at its seat of the round; false when the grid does not show it (no
    /// seat in the round, or a direction filtered out).
    bool placeSeat(PlayerNameRecord& entry, const NameListChoice& choice) const;
    /// The seats of the current seating that no registered player holds.
    std::vector<PlayerNameRecord> unnamedSeats() const;

    const GameData& gameData_;
    const PlayerNames& names_;
    NameListSource source_ = NameListSource::Current;
    std::vector<PlayerNameRecord> seatNameList_;
    std::vector<PlayerNameRecord> shownNameList_;
};

} // namespace qzc
