// The readable decoding of logged radio frames, for the log viewer's "Decode msg".
#include "terminal/MessageTrace.h"

#include "core/SectionLetters.h"
#include "platform/Ansi.h"
#include "scoring/WireCodes.h"

#include <QStringList>
#include <optional>

namespace qzc {

namespace {

// Seven bytes at least: start byte, two address bytes, L, the code, two checksum bytes.
constexpr qsizetype kShortestFrameDigits = 14;
constexpr int kBaseStationCode = 255;
constexpr int kSettingsBlockSize = 13;

struct CodeName {
    int code;
    const char* text;
};

// The text after the header of each code; a code not listed is an unknown message type.
constexpr CodeName kCodeNames[] = {
    {10, ": Request game status"},
    {11, ": Reply game status"},
    {12, ": Acknowledge movement data"},
    {20, ": Request table login"},
    {21, ": Reply table login"},
    {23, ": Reply table login"},
    {24, ": Request table login"},
    {25, ": Reply table login"},
    {27, ": Reply table login"},
    {30, ": Submit pair PINs"},
    {31, ": Acknowledge pair PINs"},
    {32, ": Submit pair PINs"},
    {33, ": Acknowledge pair PINs"},
    {40, ": Submit Player IDs"},
    {41, ": Acknowledge Player IDs"},
    {50, ": Submit board result"},
    {51, ": Ack. board result and reply Traveler feedback"},
    {52, ": Submit board result"},
    {53, ": Ack. board result and reply Frequency feedback"},
    {54, ": Submit board result"},
    {55, ": Ack. board result"},
    {56, ": Request ranking data"},
    {57, ": Reply ranking data"},
    {58, ": Request all pair PINs"},
    {59, ": Reply all pair PINs"},
    {60, ": Ask round names"},
    {61, ": Reply player names in the current round"},
    {70, ": Submit board result"},
    {71, ": Ack. board result"},
    {72, ": Submit board result"},
    {73, ": Ack. board result"},
    {74, ": Submit board result"},
    {75, ": Ack. board result"},
    {80, ": Submit dealt card"},
    {81, ": Acknowledge dealt card"},
    {82, ": Submit bid"},
    {83, ": Acknowledge bid"},
    {84, ": Submit played card"},
    {85, ": Acknowledge played card"},
    {86, ": Request deal"},
    {87, ": Reply deal"},
    {88, ": Request deal"},
    {89, ": Reply deal"},
    {90, ": Request Swiss movement data for round"},
    {91, ": Reply Swiss movement data"},
    {100, ": Request replacing table login"},
    {101, ": Reply replacing table login"},
    {102, ": Request stored board results"},
    {103, ": Reply stored board results"},
    {104, ": Request score frequency"},
    {105, ": Reply score frequency"},
    {106, ": Request personal recap"},
    {107, ": Reply personal recap"},
    {108, ": Request stored board results"},
    {109, ": Reply stored board results"},
    {110, ": Request reload game settings and movement"},
    {111, ": Reply reload game settings and movement"},
    {112, ": Acknowledge updated movement"},
    {114, ": Request reload game settings and movement"},
    {115, ": Reply reload game settings"},
    {121, ": No table login with this TQZ"},
    {kBaseStationCode, "System command to baseStation"},
};

QString codeName(int code) {
    for (const CodeName& name : kCodeNames) {
        if (name.code == code)
            return QLatin1String(name.text);
    }
    return QStringLiteral(": unknown message type");
}

// The payload bytes of a frame; a byte beyond the end reads as 0.
class Payload {
public:
    explicit Payload(const QString& hex) {
        for (qsizetype i = 0; i < hex.size(); i += 2) {
            bool ok = false;
            const uint value = hex.mid(i, 2).toUInt(&ok, 16);
            bytes_.append(ok ? static_cast<int>(value) : 0);
        }
    }
    int operator[](qsizetype i) const { return i >= 0 && i < bytes_.size() ? bytes_[i] : 0; }
    qsizetype size() const { return bytes_.size(); }
    Payload from(qsizetype first) const {
        Payload rest;
        rest.bytes_ = first < bytes_.size() ? bytes_.mid(first) : QList<int>();
        return rest;
    }
    void prependZeros(qsizetype count) { bytes_ = QList<int>(count, 0) + bytes_; }
    /// Bytes first to first + count - 1 as text characters (names of the terminals' code page).
    QString characters(qsizetype first, qsizetype count) const {
        QByteArray text;
        for (qsizetype i = first; i < first + count; ++i)
            text.append(static_cast<char>((*this)[i]));
        return Ansi::decode(text);
    }

private:
    Payload() = default;
    QList<int> bytes_;
};

QString num(int value) {
    return QString::number(value);
}

QString digits(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// The result text with "," after its declarer letter ("N,10").
QString resultWithComma(int byte) {
    QString text = wireResultText(static_cast<qint16>(byte));
    if (!text.isEmpty())
        text.insert(1, QLatin1Char(','));
    return text;
}

// Contract "," result "," lead of three bytes from first.
QString resultRecord(const Payload& p, qsizetype first) {
    return wireContractText(static_cast<qint16>(p[first])) + QLatin1Char(',') +
           resultWithComma(p[first + 1]) + QLatin1Char(',') + wireCardText(static_cast<qint16>(p[first + 2]));
}

// The records of size bytes from first on, while the payload holds data, each followed by
// a line break.
template <typename Record>
QString records(const Payload& p, qsizetype first, qsizetype size, const QString& lineBreak, Record record) {
    QString text;
    for (qsizetype at = first; at < p.size(); at += size)
        text += record(at) + lineBreak;
    return text;
}

QString dateTime(const Payload& p, qsizetype first) {
    return num(p[first] * 256 + p[first + 1]) + QLatin1Char('-') + digits(p[first + 2], 2) +
           QLatin1Char('-') + digits(p[first + 3], 2) + QLatin1Char(' ') + digits(p[first + 4], 2) +
           QLatin1Char(':') + digits(p[first + 5], 2) + QLatin1Char(':') + digits(p[first + 6], 2);
}

QString sectionLetterOf(int number) {
    return number == 0 ? QStringLiteral(" ") : sectionNoToLetter(static_cast<qint16>(number));
}

// Game settings and movement of a login or reload reply.
QString settingsAndMovement(int code, const Payload& payload, bool individualGame, const QString& lineBreak) {
    const bool pieceHeader = code == 21 || code == 25 || code == 101 || code == 111;
    const int piece = pieceHeader ? payload[0] % 16 : 1;
    Payload data = pieceHeader ? payload.from(1) : payload;
    QString text;
    Payload movement = data;
    bool firstPiece = piece <= 1;
    if (firstPiece) {
        if (code != 111) {
            text += bitsText(data[0]);
            data = data.from(1);
        }
        if (data.size() < kSettingsBlockSize)
            return text;
        text += lineBreak + bitsText(data[0]) + QLatin1Char(' ') + bitsText(data[1]) + QLatin1Char(' ') +
                num(data[2]) + QLatin1Char(' ') + digits(data[3], 2) + digits(data[4], 2) + QLatin1Char(' ') +
                num(data[5]) + lineBreak + dateTime(data, 6);
        movement = data.from(kSettingsBlockSize);
    }
    const int recordSize = individualGame ? 10 : 6;
    qsizetype first = 0;
    if (firstPiece) {
        if (movement.size() == 0)
            return text;
        text += lineBreak + num(movement[0]) + QLatin1Char(',') + num(movement[1]);
        first = 2;
    } else if (piece == 2) {
        // The first piece's movement ends inside a record: its bytes before this piece
        // count as zeros so that the records line up.
        movement.prependZeros(86 % recordSize);
    }
    const int half = recordSize / 2;
    for (qsizetype at = first; at < movement.size(); at += recordSize) {
        QStringList front;
        QStringList back;
        for (int i = 0; i <= half - 2; ++i)
            front << num(movement[at + i]);
        for (int i = half + 1; i < recordSize; ++i)
            back << num(movement[at + i]);
        text += lineBreak + front.join(QLatin1Char(',')) + QLatin1Char(';') + num(movement[at + half - 1]) +
                QLatin1Char(';') + num(movement[at + half]) + QLatin1Char(';') + back.join(QLatin1Char(','));
    }
    return text;
}

QString details(int code, const Payload& p, const QString& payloadHex, bool individualGame,
                const QString& lineBreak) {
    const QChar comma = QLatin1Char(',');
    const QChar semicolon = QLatin1Char(';');
    switch (code) {
    case 11:
        // The status byte; newer terminals get their section numbers after it.
        return bitsText(p[0]);
    case 20:
    case 24:
    case 100:
        // The section (1 for "A") and the table.
        return sectionLetterOf(p[0]) + num(p[1]);
    case 30:
        return num(p[0]) + comma + digits(p[1] * 256 + p[2], 4) + semicolon + num(p[3]) + comma +
               digits(p[4] * 256 + p[5], 4);
    case 31:
        return bitsText(p[0]) + QLatin1Char(' ') + num(p[1]) + comma + bitsText(p[2]) + QLatin1Char(' ') +
               num(p[3]);
    case 40: {
        QString text;
        for (int player = 0; player < 4; ++player) {
            for (int i = 0; i < 6; ++i)
                text += digits(p[player * 6 + i], 2);
            text += comma;
        }
        return text;
    }
    case 41: {
        QString text;
        for (qsizetype at = 0; at < 4 * 22 && at + 22 <= p.size(); at += 22)
            text += p.characters(at, 1) + comma + num(p[at + 1]) + QLatin1Char(':') +
                    p.characters(at + 2, 20) + lineBreak;
        return text;
    }
    case 50:
    case 70:
        return num(p[0]) + QLatin1Char(':') + resultRecord(p, 1);
    case 52:
    case 72:
        return num(p[0]) + QLatin1Char(':') + resultRecord(p, 1) + semicolon + num(p[4]) + comma + num(p[5]);
    case 54:
    case 74:
        return num(p[0]) + QLatin1Char(':') + resultRecord(p, 1) + semicolon + num(p[4]) + comma + num(p[5]) +
               semicolon + num(p[6]) + comma + num(p[7]);
    case 51:
        return records(p, 0, 3, lineBreak, [&p](qsizetype at) { return resultRecord(p, at); });
    case 53:
        return records(p, 0, 3, lineBreak, [&p, comma](qsizetype at) {
            const int high = p[at];
            const int score = ((high & 0x7F) * 256 + p[at + 1]) * (high >= 128 ? -1 : 1);
            return num(score) + comma + num(p[at + 2]);
        });
    case 73:
        return num(p[0]) + comma + num(p[1]);
    case 75:
        return num(p[0]) + comma + num(p[1]) + semicolon + num(p[2]) + comma + num(p[3]);
    case 57:
        return num(p[1]) + lineBreak + records(p, 2, 3, lineBreak, [&p, comma](qsizetype at) {
                   return sectionLetterOf(p[at]) + comma + num(p[at + 1]) + comma + num(p[at + 2]);
               });
    case 59:
        return records(p, 1, 3, lineBreak, [&p, comma](qsizetype at) {
            return num(p[at]) + comma + digits(p[at + 1], 2) + digits(p[at + 2], 2);
        });
    case 61: {
        QString text;
        for (qsizetype at = 1; at < 1 + 4 * 20 && at + 20 <= p.size(); at += 20)
            text += p.characters(at, 20) + lineBreak;
        return text;
    }
    case 90:
        return num(p[0]);
    case 91:
        return num(p[0]) + comma + num(p[1]) + semicolon + num(p[2]) + comma + num(p[3]) + semicolon +
               num(p[4]);
    case 103:
        return records(p, 1, 13, lineBreak, [&p, comma, semicolon](qsizetype at) {
            return num(p[at]) + QLatin1Char(':') + resultRecord(p, at + 1) + semicolon + num(p[at + 4]) +
                   comma + num(p[at + 5]) + semicolon + dateTime(p, at + 6);
        });
    case 21:
    case 23:
    case 25:
    case 27:
    case 101:
    case 111: {
        // The settings block and the records each begin a line of their own.
        QString text = settingsAndMovement(code, p, individualGame, lineBreak);
        if (text.startsWith(lineBreak))
            text.remove(0, lineBreak.size());
        return text;
    }
    case kBaseStationCode:
        return payloadHex;
    default:
        return {};
    }
}

// The frame's hex digits without blanks, or nothing when the line holds no logged frame.
std::optional<QString> frameHex(const QString& line) {
    const qsizetype received = line.indexOf(QStringLiteral("<="));
    const qsizetype sent = line.indexOf(QStringLiteral("=>"));
    if (received < 0 && sent < 0)
        return std::nullopt;
    QString hex = received >= 0 ? line.mid(received + 2) : QString();
    if (hex.trimmed().isEmpty() && sent >= 0)
        hex = line.mid(sent + 2);
    hex.remove(QLatin1Char(' ')).remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    if (hex.size() < kShortestFrameDigits || !hex.startsWith(QLatin1String("FF"), Qt::CaseInsensitive))
        return std::nullopt;
    hex.chop(4);
    return hex;
}

// The decoded text of a frame's hex digits (without checksum), ending with a line break.
QString decodeFrame(const QString& hex, bool individualGame, const QString& lineBreak) {
    QString header;
    int code = kBaseStationCode;
    QString payloadHex;
    if (hex.mid(2, 2).compare(QLatin1String("FF"), Qt::CaseInsensitive) == 0) {
        payloadHex = hex.mid(2);
    } else {
        header = QStringLiteral("TQZ 0x") + hex.mid(2, 4);
        bool ok = false;
        code = static_cast<int>(hex.mid(8, 2).toUInt(&ok, 16));
        if (!ok)
            code = 0;
        if (code > 128)
            code -= 128;
        payloadHex = hex.mid(10);
    }
    QString text = header + codeName(code);
    const QString more = details(code, Payload(payloadHex), payloadHex, individualGame, lineBreak);
    if (!more.isEmpty())
        text += lineBreak + more;
    return text + lineBreak;
}

} // namespace

QString bitsText(qint64 value) {
    if (value >= 256)
        return QStringLiteral("11111111");
    if (value < 0)
        return QStringLiteral("00000000");
    return QStringLiteral("%1").arg(value, 8, 2, QLatin1Char('0'));
}

QString decodeMessageTrace(const QString& traceText, bool individualGame, const QString& lineBreak) {
    if (traceText.isEmpty())
        return {};
    const QStringList lines = traceText.split(lineBreak);
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const std::optional<QString> hex = frameHex(line);
        if (!hex) {
            out += line;
            if (i + 1 < lines.size())
                out += lineBreak;
            continue;
        }
        QString shown = line;
        shown.replace(QStringLiteral("=>"), QStringLiteral(">"))
            .replace(QStringLiteral("<="), QStringLiteral(">"));
        out += shown + lineBreak + decodeFrame(*hex, individualGame, lineBreak);
    }
    return out;
}

DecodedTrace decodeTraceAtCaret(const QString& text, qsizetype caret, bool individualGame) {
    const QString lineBreak = QStringLiteral("\n");
    DecodedTrace decoded;
    if (caret <= 0 || caret >= text.size()) {
        decoded.text = decodeMessageTrace(text, individualGame, lineBreak);
        decoded.selectionStart = decoded.text.size();
        return decoded;
    }
    const qsizetype begin = text.lastIndexOf(lineBreak, caret - 1) + 1;
    qsizetype end = text.indexOf(lineBreak, caret);
    if (end < 0)
        end = text.size();
    QString piece = decodeMessageTrace(text.mid(begin, end - begin), individualGame, lineBreak);
    // The line break after the line stays; the decoded text brings none of its own there.
    if (end < text.size() && piece.endsWith(lineBreak))
        piece.chop(lineBreak.size());
    decoded.text = text.left(begin) + piece + text.mid(end);
    decoded.selectionStart = begin;
    decoded.selectionLength = piece.size();
    return decoded;
}

} // namespace qzc
