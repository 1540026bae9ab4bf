#pragma once

#include <QString>

namespace qzc {

struct ResultEntry;

/// Reads a board result typed as one short text: contract, declarer, result and opening
/// lead without separators, as "4SN+1HK" (four spades by North, one overtrick, king of
/// hearts led). Blanks and case do not matter. The result is "=", "+" or "-" with the
/// over- or undertricks (one or two digits), or the tricks taken (1 to 13); the lead is
/// suit then rank ("HK") or rank then suit ("KH"), "X" for a small card, or nothing.
/// "NP", "PASS" and "LP" alone are whole entries. No trump is kept as the strain "N".
///
/// record.remarks takes the text as given; the contract, declarer, tricks and lead are
/// set as far as they were read, and record.valid becomes -1 only when the whole text was
/// understood (it is never cleared: the caller clears the record first).
void parseResultEntry(const QString& text, ResultEntry& record);

} // namespace qzc
