#pragma once

#include <QString>
#include <array>

namespace qzc {

/// The known tables of the shared score database, numbered as the table report lists them.
enum class SharedTable {
    BiddingData = 1,
    Clients,
    HandRecord,
    IntermediateData,
    PlayData,
    PlayerNumbers,
    ReceivedData,
    RoundData,
    Section,
    Settings,
    Tables,
    PlayerNames,
};

inline constexpr int sharedTableCount = 12;

/// The table's name as the database and the table report spell it.
QString sharedTableName(SharedTable table);
/// True for the six tables without which the program cannot work.
bool isRequiredTable(SharedTable table);

/// Which shared tables the open score database holds (filled by the structure check).
class TablePresence {
public:
    bool present(SharedTable table) const { return flags_[index(table)]; }
    void set(SharedTable table, bool present) { flags_[index(table)] = present; }
    void clear() { flags_.fill(false); }

private:
    static std::size_t index(SharedTable table) { return static_cast<std::size_t>(table) - 1; }
    std::array<bool, sharedTableCount> flags_{};
};

} // namespace qzc
