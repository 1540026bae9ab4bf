#include "scoring/CardNumbers.h"

namespace qzc {

namespace {

constexpr QLatin1StringView kHands("NESW");

// A letter's two holders; a position that is not one letter "a" to "p" holds north's.
std::pair<int, int> holdersOf(const QString& letter) {
    if (letter.size() != 1)
        return {0, 0};
    const int offset = letter.at(0).unicode() - u'a';
    if (offset < 0 || offset > 15)
        return {0, 0};
    return {offset / 4, offset % 4};
}

} // namespace

qint16 cardIndex(const QString& card) {
    if (card.size() < 2)
        return 0;
    const QString text = card.toUpper();
    int suitBase = 0;
    switch (text.at(0).unicode()) {
    case u'S':
        suitBase = 0;
        break;
    case u'H':
        suitBase = 13;
        break;
    case u'D':
        suitBase = 26;
        break;
    case u'C':
        suitBase = 39;
        break;
    default:
        return 0;
    }
    const QStringView rank = QStringView(text).mid(1);
    if (rank.size() != 1)
        return 0;
    const char16_t r = rank.at(0).unicode();
    int position = 0;
    if (r == u'A')
        position = 1;
    else if (r == u'K')
        position = 2;
    else if (r == u'Q')
        position = 3;
    else if (r == u'J')
        position = 4;
    else if (r == u'T')
        position = 5;
    else if (r >= u'2' && r <= u'9')
        position = 15 - (r - u'0');
    else
        return 0;
    return static_cast<qint16>(suitBase + position);
}

int handNumber(const QString& hand) {
    return hand.size() == 1 ? static_cast<int>(kHands.indexOf(hand.at(0).toUpper())) : -1;
}

void parseSuitHolding(LetteredDeal& deal, const QString& hand, const QString& suit, const QString& holding) {
    const int holder = handNumber(hand);
    if (holding.isEmpty() || holder < 0 || cardIndex(suit + QLatin1Char('A')) == 0)
        return;
    for (const QChar c : holding) {
        const int card = cardIndex(suit + c);
        if (card == 0)
            continue;
        QString& letter = deal[static_cast<std::size_t>((card + 1) / 2 - 1)];
        auto [first, second] = holdersOf(letter);
        if (card % 2 == 1)
            first = holder;
        else
            second = holder;
        letter = QChar(u'a' + 4 * first + second);
    }
}

} // namespace qzc
