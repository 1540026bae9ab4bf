#include "scoring/WireCodes.h"

#include <algorithm>

namespace qzc {
namespace {

constexpr std::array<const char*, 5> strainTexts{"C", "D", "H", "S", "NT"};
constexpr QLatin1StringView seatLetters("NESW");
constexpr QLatin1StringView suitLetters("CDHS");
constexpr QLatin1StringView rankLetters("?A23456789TJQK?x"); // ranks 0 and 14 are no card

int digitValue(QChar c) {
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9' ? u - u'0' : -1;
}

// Callers may hold a byte in a signed char; only its eight bits count.
int asByte(qint16 code) {
    return code & 0xFF;
}

} // namespace

qint16 encodeContractByte(const QString& contract) {
    QString text;
    for (const QChar c : contract) {
        if (!c.isSpace())
            text.append(c.toUpper());
    }
    if (text == u"NP")
        return contractByteNotPlayed;
    if (text == u"PASS")
        return contractBytePass;
    // A level alone ("4") has no strain and is not a contract.
    if (text.size() < 2)
        return contractByteNotPlayed;
    const int level = digitValue(text.at(0));
    if (level < 1 || level > 7)
        return contractByteNotPlayed;
    const QString strainText = text.mid(1).remove(u'X');
    const auto strain = std::find_if(strainTexts.begin(), strainTexts.end(),
                                     [&](const char* s) { return strainText == QLatin1String(s); });
    if (strain == strainTexts.end())
        return contractByteNotPlayed;
    const int doubling = text.contains(u"XX") ? 128 : text.contains(u'X') ? 64 : 0;
    return static_cast<qint16>(level + 8 * int(strain - strainTexts.begin()) + doubling);
}

qint16 encodeResultByte(const QString& declarer, qint16 tricks) {
    const QString text = declarer.trimmed().toUpper();
    for (const auto& adjusted : adjustedScoreCodes) {
        if (text == QLatin1String(adjusted.text))
            return adjusted.code;
    }
    const qsizetype seat = text.size() == 1 ? seatLetters.indexOf(text.at(0)) : -1;
    return static_cast<qint16>(4 * std::clamp<int>(tricks, 0, 13) + std::max<int>(int(seat), 0));
}

qint16 encodeCardByte(const QString& card) {
    const QString text = card.trimmed().toUpper();
    if (text.size() < 2)
        return 0;
    const qsizetype suit = suitLetters.indexOf(text.at(0));
    // An unknown suit is no card at all rather than a club.
    if (suit < 0)
        return 0;
    int rank = 0;
    const char16_t r = text.at(1).unicode();
    if (r == u'A')
        rank = 1;
    else if (r == u'T')
        rank = 10;
    else if (r == u'J')
        rank = 11;
    else if (r == u'Q')
        rank = 12;
    else if (r == u'K')
        rank = 13;
    else if (r == u'X')
        rank = 15;
    else if (r >= u'2' && r <= u'9')
        rank = r - u'0';
    return static_cast<qint16>(4 * rank + int(suit));
}

QString wireContractText(qint16 code) {
    const int byte = asByte(code);
    const int level = byte % 8;
    const int strain = (byte / 8) % 8;
    const int doubling = byte / 64;
    if (strain == 7)
        return QStringLiteral("NP");
    if (level == 0)
        return QStringLiteral("PASS");
    if (strain > 4)
        return QStringLiteral("NP");
    QString text = QString::number(level) + QLatin1String(strainTexts[strain]);
    if (doubling == 1)
        text += u'X';
    else if (doubling >= 2)
        text += QLatin1String("XX");
    return text;
}

QString wireResultText(qint16 code) {
    const int byte = asByte(code);
    for (const auto& adjusted : adjustedScoreCodes) {
        if (byte == adjusted.code)
            return QLatin1String(adjusted.text);
    }
    return QChar(seatLetters[byte % 4]) + QString::number(byte / 4);
}

QString wireCardText(qint16 code) {
    const int byte = asByte(code);
    if (byte & cardByteNoCardBit)
        return QStringLiteral("--");
    const int rank = (byte & 60) / 4;
    if (rank == 0 || rank == 14)
        return {};
    return QChar(suitLetters[byte & 3]) + QString(QChar(rankLetters[rank]));
}

QString wireBidText(qint16 code) {
    const int byte = asByte(code);
    const int strain = (byte / 8) % 8;
    if (byte % 8 == 0 && strain != 7) {
        const int doubling = byte / 64;
        if (doubling == 1)
            return QStringLiteral("X");
        if (doubling >= 2)
            return QStringLiteral("XX");
    }
    return wireContractText(code);
}

bool isCardByteInRange(quint8 code) {
    return code < 128;
}

bool isNoCardByte(quint8 code) {
    const int rank = (code & 60) / 4;
    return (code & cardByteNoCardBit) != 0 || rank == 0 || rank == 14;
}

bool isBidByteInRange(quint8 code) {
    const int strain = (code / 8) % 8;
    return code < 192 && strain != 5 && strain != 6;
}

} // namespace qzc
