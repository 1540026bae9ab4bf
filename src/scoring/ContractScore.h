#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// The duplicate scoring values. Trick values are undoubled; doubling multiplies them.
struct ScoringConstants {
    qint16 majorTrick = 30;
    qint16 minorTrick = 20;
    qint16 ntFirstTrick = 40;
    qint16 ntTrick = 30;
    qint16 gameThreshold = 100;
    /// A doubled overtrick not vulnerable, times the doubling degree; twice that vulnerable.
    qint16 doubledOvertrick = 100;
    qint16 smallSlamNV = 500;
    qint16 smallSlamV = 750;
    qint16 gameNV = 300;
    qint16 gameV = 500;
    qint16 partScore = 50;
    /// For making a doubled contract, times the doubling degree.
    qint16 insult = 50;
    qint16 undertrick = 50;
    /// From the first to each later doubled undertrick.
    qint16 nvDoubledFactor = 2;
    double vDoubledFactor = 1.5;
    /// Not vulnerable, each doubled undertrick from this one on costs fourthUndertrickExtra
    /// times the doubling degree more.
    qint16 fourthUndertrick = 4;
    qint16 fourthUndertrickExtra = 100;
};

inline constexpr ScoringConstants scoringConstants{};

/// The duplicate score of one result, from North-South's side (negated when East, West or
/// the side "EW" declared), with the vulnerability of the board in the 16-board cycle.
/// contract is a bid contract such as "4S", "3NTX" or "6HXX" ("N" alone stands for no trump;
/// blanks and case do not matter); tricks are those taken by the declaring side and are held
/// to 0..13. Anything that is not a bid contract (a pass, "NP", a level outside 1..7, an
/// unknown strain) scores 0.
qint16 calcContractScore(qint16 board, const QString& contract, const QString& declarer, qint16 tricks);

/// The tricks taken for a contract and a result relative to it ("=", "+2", "-1"): level + 6
/// + the result's number (0 for "=" or text that is not a number). 0 when the contract does
/// not start with a level 1 to 7.
qint16 calcTricksMade(const QString& contract, const QString& result);

/// The result relative to the contract for the tricks taken: "=", "+" and the overtricks,
/// or "-" and the undertricks. Empty when the contract does not start with a level 1 to 7.
QString formatResultText(const QString& contract, qint16 tricks);

} // namespace qzc
