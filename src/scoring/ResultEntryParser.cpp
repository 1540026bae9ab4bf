#include "scoring/ResultEntryParser.h"

#include "core/ResultEntry.h"

#include <optional>

namespace qzc {

namespace {

constexpr int kBook = 6;
constexpr int kMaxTricks = 13;
constexpr int kMinLength = 4;
constexpr int kMaxDoublings = 2;

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int digit(QChar c) {
    return c.unicode() - u'0';
}

bool isSuit(QChar c) {
    return QStringLiteral("SHDC").contains(c);
}

bool isRank(QChar c) {
    return QStringLiteral("AKQJT98765432X").contains(c);
}

// The tricks of the result that starts at r, and the position of the lead after it;
// nothing when no result stands there.
struct ReadResult {
    int tricks = 0;
    qsizetype leadAt = 0;
};

std::optional<ReadResult> readResult(const QString& entry, qsizetype r, int level) {
    if (r >= entry.size())
        return std::nullopt;
    const auto at = [&entry](qsizetype i) {
        return i < entry.size() ? entry.at(i) : QChar();
    };
    const QChar c = entry.at(r);
    const int contracted = level + kBook;
    if (c == QLatin1Char('='))
        return ReadResult{contracted, r + 1};
    if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        const int sign = c == QLatin1Char('+') ? 1 : -1;
        if (!isDigit(at(r + 1)))
            return ReadResult{contracted, r + 1};
        if (isDigit(at(r + 2)))
            return ReadResult{contracted + sign * (10 * digit(at(r + 1)) + digit(at(r + 2))), r + 3};
        return ReadResult{contracted + sign * digit(at(r + 1)), r + 2};
    }
    if (c == QLatin1Char('1') && isDigit(at(r + 1)))
        return ReadResult{10 + digit(at(r + 1)), r + 2};
    if (isDigit(c) && c != QLatin1Char('0'))
        return ReadResult{digit(c), r + 1};
    return std::nullopt;
}

// A lead of two characters that form a card, suit first; nothing for anything else.
std::optional<QString> readLead(const QString& lead) {
    if (lead.isEmpty())
        return QString();
    if (lead.size() != 2)
        return std::nullopt;
    if (isSuit(lead.at(0)) && isRank(lead.at(1)))
        return lead;
    if (isRank(lead.at(0)) && isSuit(lead.at(1)))
        return QString(lead.at(1)) + lead.at(0);
    return std::nullopt;
}

} // namespace

void parseResultEntry(const QString& text, ResultEntry& record) {
    record.remarks = text;
    QString entry = text;
    entry.remove(QLatin1Char(' '));
    const QString upper = entry.toUpper();
    if (upper == QLatin1String("NP") || upper == QLatin1String("PASS") || upper == QLatin1String("LP")) {
        record.contract = entry;
        record.valid = -1;
        return;
    }
    if (upper.size() < kMinLength)
        return;

    const QChar levelChar = upper.at(0);
    if (levelChar < QLatin1Char('1') || levelChar > QLatin1Char('7'))
        return;
    const int level = digit(levelChar);
    const QChar strain = upper.at(1);
    if (!QStringLiteral("SHDCN").contains(strain))
        return;
    // The T of "NT" belongs to the strain.
    qsizetype d = strain == QLatin1Char('N') && upper.at(2) == QLatin1Char('T') ? 3 : 2;
    QString contract = QString(levelChar) + strain;
    for (int doubling = 0;
         doubling < kMaxDoublings && d + 1 < upper.size() && upper.at(d) == QLatin1Char('X'); ++doubling, ++d)
        contract += QLatin1Char('X');
    record.contract = contract;

    if (d >= upper.size() || !QStringLiteral("NESW").contains(upper.at(d)))
        return;
    record.declarer = upper.at(d);

    const std::optional<ReadResult> result = readResult(upper, d + 1, level);
    if (!result || result->tricks < 0 || result->tricks > kMaxTricks)
        return;
    record.tricks = static_cast<qint16>(result->tricks);

    const std::optional<QString> lead = readLead(upper.mid(result->leadAt));
    if (!lead)
        return;
    record.lead = *lead;
    record.valid = -1;
}

} // namespace qzc
