#pragma once

#include <QByteArray>
#include <QString>

namespace qzc::test {

/// A hand-made all-deal file, CRLF line ends: a first line "#1" that is never read, a
/// block of board 2 split by a lone "#" and repeated, a later block of board 2 that is
/// never reached, board 5 with a whole deal (deal number -420) and its makeable table, and
/// no block for boards 1, 3 and 4.
QByteArray allDealFileText();

/// Board 5 of that file: spades N AKQJ, E T98, S 765, W 432; hearts E AKQ, S JT9, W 876,
/// N 5432; diamonds S AKQJ, W T98, N 76, E 5432; clubs W AKQ8, N JT9, E 765, S 432.
/// Its 13 holder bytes, worked out by hand.
QByteArray board5Holders();
/// Its deal number and makeable bytes, worked out by hand: -420, then north C9 D9 H6 S10
/// NT8, east C4 D4 H7 S3 NT5, south C9 D? H6 S10 NT8, west C4 D? H7 S3 NT5 (? unknown).
QByteArray board5NumberAndMakeable();

} // namespace qzc::test
