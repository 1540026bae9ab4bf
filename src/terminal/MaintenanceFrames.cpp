#include "terminal/MaintenanceFrames.h"

#include "core/NumberText.h"
#include "core/TextHelpers.h"
#include "scoring/WireCodes.h"
#include "terminal/RadioFrame.h"

#include <optional>

namespace qzc {

namespace {

constexpr qsizetype kResultHeadDigits = 10;

QString withoutBlanks(const QString& typed) {
    QString text = typed;
    text.remove(QLatin1Char(' '));
    return text;
}

// Whole bytes of two hex digits each, or the fault that refuses the text.
TypedFrame hexBytes(const QString& hex, const QString& typed) {
    TypedFrame frame;
    bool valid = hex.size() % 2 == 0;
    for (qsizetype i = 0; valid && i < hex.size(); i += 2) {
        bool ok = false;
        const uint value = hex.mid(i, 2).toUInt(&ok, 16);
        valid = ok;
        frame.bytes.append(static_cast<char>(value));
    }
    if (!valid) {
        frame.bytes.clear();
        frame.fault = QStringLiteral("Please type whole bytes of two hex digits each, not: ") + typed;
    }
    return frame;
}

QString hexByte(qint16 value) {
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

// The hex digits of a board result typed in words; nothing when its head is not hex.
std::optional<QString> resultInWords(const QString& text) {
    const QString head = text.left(kResultHeadDigits);
    if (head.size() != kResultHeadDigits)
        return std::nullopt;
    bool ok = false;
    const int code = static_cast<int>(head.mid(6, 2).toUInt(&ok, 16));
    if (!ok)
        return std::nullopt;
    QString words = text.mid(kResultHeadDigits);
    QString pairs;
    if (code == 52 || code == 57) {
        pairs = words.right(4);
        words.chop(4);
    }
    const QString declarer = GetField(words, 2, QStringLiteral(","));
    const qint16 tricks = StrToInt(GetField(words, 3, QStringLiteral(",")));
    return QStringLiteral("FF") + head +
           hexByte(encodeContractByte(GetField(words, 1, QStringLiteral(",")))) +
           hexByte(encodeResultByte(declarer, tricks)) +
           hexByte(encodeCardByte(GetField(words, 4, QStringLiteral(",")))) + pairs;
}

} // namespace

TypedFrame typedSendBody(const QString& typed) {
    return hexBytes(withoutBlanks(typed), typed);
}

TypedFrame typedReceiveFrame(const QString& typed) {
    QString text = withoutBlanks(typed);
    if (text.isEmpty())
        return {};
    const bool addChecksum = !text.at(0).isLetterOrNumber();
    if (addChecksum)
        text.remove(0, 1);
    if (text.indexOf(QLatin1Char('@')) >= 1) {
        const std::optional<QString> hex = resultInWords(text.remove(QLatin1Char('@')));
        if (!hex)
            return TypedFrame{{},
                              QStringLiteral("A result in words begins with ten hex digits, not: ") + typed};
        text = *hex;
    }
    TypedFrame frame = hexBytes(text, typed);
    if (frame.bytes.size() < 2)
        return TypedFrame{{}, frame.fault};
    if (addChecksum)
        frame.bytes += calcChecksum(frame.bytes.mid(1));
    return frame;
}

} // namespace qzc
