#pragma once

#include "support/EveningPlayer.h"

#include <QString>
#include <optional>
#include <vector>

namespace qzc::test {

/// The tables of an event's score database, read without changing the file, each with a
/// terminal id counted up from firstTerminalId in the order of section letters and table
/// numbers. Nothing (with the reason in error) when the file cannot be read.
std::optional<std::vector<PlayedTable>> readPlayedTables(const QString& path, quint16 firstTerminalId,
                                                         QString& error);

} // namespace qzc::test
