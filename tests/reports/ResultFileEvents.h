#pragma once

#include "support/EventBuilder.h"

namespace qzc::test::events {

/// Section A, 6 pairs on 3 tables, 2 rounds of 2 boards, pairs change direction: not
/// played, adjusted and erased rows, registered names with quotes, semicolons and letters
/// outside Windows-1252, two pairs nobody registered for.
EventBuilder oneWinner();
/// Section A, a Mitchell of 3 tables and 3 rounds of 1 board (NS 1-3, EW 4-6): a not
/// played row and a free-text remark, names for some pairs.
EventBuilder twoWinners();
/// Sections A and B, both the Mitchell of twoWinners(), the boards scored over the field.
EventBuilder acrossTheField();
/// An individual game: 12 players on 3 tables, 3 rounds of 1 board.
EventBuilder individual();

} // namespace qzc::test::events
