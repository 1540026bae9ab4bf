#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

namespace qzc {

// The one-byte codes in which terminals and the program exchange a board result.
//
// Contract byte: level (1-7, 0 a pass) + 8 x strain (clubs 0, diamonds 1, hearts 2,
// spades 3, no trump 4; 7 not played) + 64 doubled or 128 redoubled.
// Result byte: 4 x tricks + declarer (north 0, east 1, south 2, west 3), or one of the
// nine adjusted-score codes, whose tricks part (15, 31, 47) no real result reaches.
// Card byte: 4 x rank (ace 1, 2-10, jack 11, queen 12, king 13, 15 a small card; 0 and 14
// no card) + suit (clubs 0, diamonds 1, hearts 2, spades 3); bit 64 set means no card.

inline constexpr qint16 contractBytePass = 0;
inline constexpr qint16 contractByteNotPlayed = 56;
inline constexpr qint16 cardByteNoCardBit = 64;

struct AdjustedScoreCode {
    qint16 code;
    const char* text;
};

/// The nine adjusted scores and their result bytes.
inline constexpr std::array<AdjustedScoreCode, 9> adjustedScoreCodes{{{60, "60%-40%"},
                                                                      {61, "50%-40%"},
                                                                      {62, "50%-50%"},
                                                                      {63, "40%-40%"},
                                                                      {124, "40%-60%"},
                                                                      {125, "40%-50%"},
                                                                      {126, "60%-60%"},
                                                                      {127, "60%-50%"},
                                                                      {188, "50%-60%"}}};

/// Contract text ("4S", "3NTXX", "PASS", "NP"; blanks and case ignored) to its byte.
/// Text that is no contract gives 56 (not played).
qint16 encodeContractByte(const QString& contract);

/// Declarer ("N", "E", "S", "W") and tricks (held to 0..13) to the result byte; an
/// adjusted-score text in place of the declarer gives its code. An unknown declarer counts
/// as north.
qint16 encodeResultByte(const QString& declarer, qint16 tricks);

/// Card text (suit letter and rank "A", "K", "Q", "J", "T", "2"-"9" or "x" for a small card)
/// to its byte. Text that is no card gives 0 (no card).
qint16 encodeCardByte(const QString& card);

/// Contract byte to its text: "4S", "3NTX", "6HXX", "PASS" or "NP".
QString wireContractText(qint16 code);

/// Result byte to its text: an adjusted score, or the declarer letter and the tricks ("N10").
QString wireResultText(qint16 code);

/// Card byte to its text: suit letter and rank ("SA", "H9", "Dx"), "--" when the no-card
/// bit is set, empty for rank 0 or 14.
QString wireCardText(qint16 code);

/// One call of an auction to its text: as wireContractText, except that a level-0 byte with
/// the double or redouble bit is the call "X" or "XX" (a double is not a pass).
QString wireBidText(qint16 code);

/// False for a byte that no card code uses: bit 7 set.
bool isCardByteInRange(quint8 code);
/// True for a card byte that stands for no card: the no-card bit set, or rank 0 or 14.
bool isNoCardByte(quint8 code);
/// False for a byte that no call uses: strain 5 or 6, or both doubling bits set.
bool isBidByteInRange(quint8 code);

} // namespace qzc
