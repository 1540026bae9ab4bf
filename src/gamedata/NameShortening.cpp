#include "gamedata/NameShortening.h"

#include "core/TextHelpers.h"

namespace qzc {

namespace {

const QString kBlank = QStringLiteral(" ");

// A word of a name is its letters and, for the first and the middle word, one trailing blank
// that belongs to it. Cutting a word cuts its letters and keeps its blank.
bool carriesBlank(const QString& word) {
    return word.endsWith(QLatin1Char(' '));
}

qsizetype letterCount(const QString& word) {
    return carriesBlank(word) ? word.size() - 1 : word.size();
}

QString keepLetters(const QString& word, qsizetype letters) {
    if (letters <= 0)
        return {};
    return word.left(qMin(letters, letterCount(word))) + (carriesBlank(word) ? kBlank : QString());
}

// Shares room characters between two words, the earlier one giving way first, so that the
// later keeps at least one letter. Neither word is left longer than the room allows.
void fitNameParts(QString& earlier, QString& later, qsizetype room) {
    if (room <= 0) {
        earlier.clear();
        later.clear();
        return;
    }
    const qsizetype sa = carriesBlank(earlier) ? 1 : 0;
    const qsizetype sb = carriesBlank(later) ? 1 : 0;
    if (!earlier.isEmpty() && !later.isEmpty()) {
        const qsizetype need = sb + 1;
        if (earlier.size() + need > room)
            earlier = keepLetters(earlier, room - need - sa);
        later = keepLetters(later, room - earlier.size() - sb);
    } else if (!earlier.isEmpty()) {
        earlier = keepLetters(earlier, room - sa);
    } else if (!later.isEmpty()) {
        later = keepLetters(later, room - sb);
    }
}

// What a name that the style cannot shorten comes back as: its three words joined and cut.
QString fallback(const QString& name, const QString& joined, qint16 maxLength) {
    return IsBlank(joined) ? name.left(maxLength) : joined.left(maxLength);
}

} // namespace

QString truncatePlayerName(const QString& name, qint16 maxLength, qint16 style) {
    if (name.size() <= maxLength)
        return name;
    if (!name.contains(QLatin1Char(' ')))
        return name.left(maxLength);

    auto word = [&name](qint16 n, bool withBlank) {
        const QString letters = GetField(name, n, kBlank);
        return letters.isEmpty() || !withBlank ? letters : letters + kBlank;
    };
    QString first = word(1, true);
    QString middle;
    QString last;
    if (CountOccurrences(name, kBlank) == 1) {
        last = word(2, false);
    } else {
        middle = word(2, true);
        last = word(3, false);
    }
    const QString joined = first + middle + last;

    QString none;
    switch (style) {
    case NameStyle::keepLast:
        last = last.left(maxLength);
        fitNameParts(first, middle, maxLength - last.size());
        break;
    case NameStyle::keepMiddle:
        if (!middle.isEmpty()) {
            middle = middle.left(maxLength);
            fitNameParts(first, last, maxLength - middle.size());
        } else {
            first = first.left(maxLength);
            fitNameParts(last, none, maxLength - first.size());
        }
        break;
    case NameStyle::keepFirst:
        first = first.left(maxLength);
        fitNameParts(middle, last, maxLength - first.size());
        break;
    default:
        return fallback(name, joined, maxLength);
    }
    const QString shortened = first + middle + last;
    return IsBlank(shortened) ? fallback(name, joined, maxLength) : shortened;
}

} // namespace qzc
