#include "scoring/ContractScore.h"

#include "core/NumberText.h"
#include "scoring/Vulnerability.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qzc {
namespace {

constexpr int maxTricks = 13;
constexpr int book = 6;

qint16 clampToInt16(long long value) {
    return static_cast<qint16>(
        std::clamp<long long>(value, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

// The level 1 to 7 that starts the contract text, else 0.
int contractLevel(const QString& contract) {
    if (contract.isEmpty())
        return 0;
    const char16_t first = contract.at(0).unicode();
    return first >= u'1' && first <= u'7' ? first - u'0' : 0;
}

QString withoutBlanks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            result.append(c);
    }
    return result;
}

// The undoubled value of a trick in the strain, 0 for an unknown strain.
int trickValue(QChar strain) {
    const auto& k = scoringConstants;
    switch (strain.unicode()) {
    case u'S':
    case u'H':
        return k.majorTrick;
    case u'D':
    case u'C':
        return k.minorTrick;
    case u'N':
        return k.ntTrick;
    default:
        return 0;
    }
}

int downPenalty(int undertricks, int doubling, bool vulnerable) {
    const auto& k = scoringConstants;
    int first = k.undertrick << doubling;
    if (vulnerable)
        first *= 2;
    const double factor = doubling == 0 ? 1.0 : vulnerable ? k.vDoubledFactor : double(k.nvDoubledFactor);
    int sum = 0;
    for (int i = 1; i <= undertricks; ++i) {
        int value = i == 1 ? first : int(std::lround(first * factor));
        if (i >= k.fourthUndertrick && !vulnerable)
            value += k.fourthUndertrickExtra * doubling;
        sum += value;
    }
    return sum;
}

int madeScore(int level, QChar strain, int doubling, bool vulnerable, int tricks) {
    const auto& k = scoringConstants;
    const int value = trickValue(strain) << doubling;
    const bool noTrump = strain == u'N';
    int contractPoints = 0;
    int total = 0;
    for (int i = 1; i <= tricks - book; ++i) {
        int trick = 0;
        if (i <= level) {
            trick = noTrump && i == 1 ? k.ntFirstTrick << doubling : value;
            contractPoints += trick;
        } else {
            trick = doubling == 0 ? value : k.doubledOvertrick * doubling * (vulnerable ? 2 : 1);
        }
        total += trick;
    }
    if (contractPoints < k.gameThreshold)
        total += k.partScore;
    else
        total += vulnerable ? k.gameV : k.gameNV;
    total += k.insult * doubling;
    const int smallSlam = vulnerable ? k.smallSlamV : k.smallSlamNV;
    if (level == 6)
        total += smallSlam;
    else if (level == 7)
        total += 2 * smallSlam;
    return total;
}

} // namespace

qint16 calcContractScore(qint16 board, const QString& contract, const QString& declarer, qint16 tricks) {
    const QString text = withoutBlanks(contract).toUpper();
    const int level = contractLevel(text);
    if (level == 0 || text.size() < 2 || trickValue(text.at(1)) == 0)
        return 0;
    const QChar strain = text.at(1);
    const int doubling = text.contains(u"XX") ? 2 : text.contains(u'X') ? 1 : 0;
    const bool vulnerable = isVulnerable(board, declarer);
    const int taken = std::clamp<int>(tricks, 0, maxTricks);
    const int margin = taken - level - book;
    const int score = margin < 0 ? -downPenalty(-margin, doubling, vulnerable)
                                 : madeScore(level, strain, doubling, vulnerable, taken);
    const QString side = declarer.trimmed().toUpper();
    const bool eastWest = side == u"E" || side == u"W" || side == u"EW";
    return static_cast<qint16>(eastWest ? -score : score);
}

qint16 calcTricksMade(const QString& contract, const QString& result) {
    const int level = contractLevel(contract);
    if (level == 0)
        return 0;
    return clampToInt16(level + book + StrToInt(result));
}

QString formatResultText(const QString& contract, qint16 tricks) {
    const int level = contractLevel(contract);
    if (level == 0)
        return {};
    const int difference = tricks - (level + book);
    if (difference == 0)
        return QStringLiteral("=");
    if (difference > 0)
        return u'+' + QString::number(difference);
    return QString::number(difference);
}

} // namespace qzc
