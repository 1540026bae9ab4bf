#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace qzc {

// Card numbers 1 to 52 as the deal file and the all-deal file count the cards: spades 1-13,
// hearts 14-26, diamonds 27-39, clubs 40-52; within a suit ace, king, queen, jack, ten,
// nine, ..., two. Hands (holders) are numbered north 0, east 1, south 2, west 3.

inline constexpr int cardsInDeal = 52;
inline constexpr int cardsInHand = 13;

/// The card number of a card text: a suit letter ("S", "H", "D", "C") and one rank character
/// ("A", "K", "Q", "J", "T", "2"-"9"), case ignored; 0 for anything else.
qint16 cardIndex(const QString& card);

/// The hand number of "N", "E", "S" or "W" (case ignored); -1 for anything else.
int handNumber(const QString& hand);

/// The deal as the card-dealing machine reads it: position k (1 to 26, stored at k - 1)
/// holds one letter "a" to "p" for cards 2k - 1 and 2k, "a" + 4 x holder of the first +
/// holder of the second. A position that is not one letter counts as two cards of north.
using LetteredDeal = std::array<QString, 26>;

/// Records hand as the holder of every card of holding in suit ("S", "H", "D", "C") and
/// keeps the other card of each position. Characters that name no card are passed over;
/// an empty holding, an unknown hand or suit change nothing.
void parseSuitHolding(LetteredDeal& deal, const QString& hand, const QString& suit, const QString& holding);

} // namespace qzc
