#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>

namespace qzc {

class Log;

/// One board's deal as the terminals are sent it: the holder of every card (north 0, east
/// 1, south 2, west 3; cards numbered 0 to 51 as cardIndex - 1), the deal number, and the
/// tricks each hand can make in each strain.
struct DealtCards {
    static constexpr qint16 noDealNumber = 32767;
    static constexpr quint8 unknownTricks = 15;

    std::array<quint8, 52> holder{};
    qint16 dealNumber = noDealNumber;
    /// Hand-major: north clubs, diamonds, hearts, spades, no trump, then east, south, west.
    std::array<quint8, 20> makeable{};

    DealtCards() { makeable.fill(unknownTricks); }

    /// The deal of a board's block of the all-deal file (its lines without line ends): the
    /// twelve lines of holdings, the deal number in front of the third and, with
    /// includeMakeable, the table of makeable tricks after them. A block of fewer than twelve
    /// lines gives every card to north.
    static DealtCards fromBlock(const QStringList& lines, bool includeMakeable);

    /// 13 bytes, four holders a byte from the highest bits down; with includeMakeable
    /// also the deal number as sign and magnitude (2 bytes) and the makeable table, two
    /// entries a byte, high half first (10 bytes).
    QByteArray payload(bool includeMakeable) const;
};

/// The all-deal file written by the hand-record program (its path is the registry value
/// QZCPath): after a first line that is never read, one block of lines per board, each
/// opened by "#" and the board number.
class AllDealFile {
public:
    AllDealFile(Log& log, const QString& path);

    /// The board's block, each line preceded by CRLF; empty when the board is below 1, no
    /// file is named, or the file holds no block of the board. Consecutive blocks of the
    /// board count as one; a lone "#" keeps the current board.
    QString Get_AllDeal(qint16 board) const;

    /// The dealt-card payload of the board (13 bytes, 25 with includeMakeable): every card
    /// with north, deal number 32767 and nothing makeable known when the file has no
    /// usable block of the board.
    QByteArray GetDealtCard(qint16 board, bool includeMakeable) const;

private:
    Log& log_;
    QString path_;
};

} // namespace qzc
