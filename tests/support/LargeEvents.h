#pragma once

#include "support/EventBuilder.h"

namespace qzc::test::large {

/// Section A: tables Mitchell tables (an odd number, or rounds at most tables / 2), rounds
/// rounds of one board, a terminal at every table (id 0x0100 + table) and every result
/// stored (2S by North), so that every board has rounds - 1 other results to show. Table t
/// plays board ((t - 1) + (r - 1)) mod tables + 1 in round r against EW pair tables + 1 +
/// ((t - r) mod tables); table 1 meets EW tables + 1 on board 1 in round 1.
EventBuilder sectionPlayed(int tables, int rounds);

/// sections x tables Mitchell sections (letters A, B, ... AA, BB, ...) of rounds rounds with
/// boardsPerRound boards, a terminal at every table (id 1000 x section + table) and, with
/// played, every board of every round stored as a played result.
EventBuilder mitchellField(int sections, int tables, int rounds, int boardsPerRound, bool played);

} // namespace qzc::test::large
