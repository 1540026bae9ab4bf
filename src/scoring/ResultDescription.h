#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

struct ResultEntry;

/// Where a board result belongs: the table, the round of the movement and who sat there.
struct ResultSeat {
    /// Letter(s) and table number, as "A12".
    QString tableId;
    qint16 round = 0;
    qint16 board = 0;
    /// The NS and EW pairs, or the North and East players of an individual game.
    qint16 nsPair = 0;
    qint16 ewPair = 0;
    /// The South and West players of an individual game; 0 in a pairs game.
    qint16 south = 0;
    qint16 west = 0;
};

/// True when the stored result reads as a contract (it has one and is valid), rather than
/// as a remark.
bool describesContract(const ResultEntry& stored);

/// The four lines, joined by CRLF, that tell the director which result is being changed:
/// "Board 7", "Table A3; Round 2", "NS #5; EW #12" (with "/#" and South or West when they
/// are above 0), and "South 4H; 11 tricks; +650" for a contract or the remark otherwise.
QString describeResultText(const ResultSeat& seat, const ResultEntry& stored);

} // namespace qzc
