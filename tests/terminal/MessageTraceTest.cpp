#include "terminal/MessageTrace.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kName20 = QStringLiteral("Ann Lee             ");

// A received frame of terminal 0x000C as the log holds it; L and the checksum are not read.
QString logged(int code, const char* data) {
    const QString rest = QString::fromLatin1(data);
    return QStringLiteral("2026-12-07 19:30:00.125 : RX <= FF 00 0C 07 %1%2 00 00")
        .arg(code, 2, 16, QLatin1Char('0'))
        .arg(rest.isEmpty() ? QString() : QLatin1Char(' ') + rest)
        .toUpper();
}

// Every code the program sends or receives, and those only the decoder knows: the name and
// the payload in words, as they follow "TQZ 0x000C".
TEST(MessageTraceTest, EveryMessageCodeByNameAndPayload) {
    const QString ann = QStringLiteral(" 41 6E 6E 20 4C 65 65") + QStringLiteral(" 20").repeated(13);
    struct Case {
        int code;
        QString data;
        QString decoded;
    };
    const Case cases[] = {
        {10, u"03 14"_s, u": Request game status"_s},
        {11, u"03 01 02"_s, u": Reply game status\r\n00000011"_s},
        {12, u""_s, u": Acknowledge movement data"_s},
        {20, u"01 05 03 14"_s, u": Request table login\r\nA5"_s},
        {24, u"02 07"_s, u": Request table login\r\nB7"_s},
        {23, u"03"_s, u": Reply table login\r\n00000011"_s},
        {25, u"11 03"_s, u": Reply table login\r\n00000011"_s},
        {27, u"03"_s, u": Reply table login\r\n00000011"_s},
        {30, u"01 04 D2 02 00 07"_s, u": Submit pair PINs\r\n1,1234;2,0007"_s},
        {31, u"05 01 03 02"_s, u": Acknowledge pair PINs\r\n00000101 1,00000011 2"_s},
        {32, u"01 04 D2"_s, u": Submit pair PINs"_s},
        {33, u"05"_s, u": Acknowledge pair PINs"_s},
        {40, u"00 00 00 0C 22 38"_s,
         u": Submit Player IDs\r\n000000123456,000000000000,000000000000,000000000000,"_s},
        {41, u"4E 03"_s + ann, u": Acknowledge Player IDs\r\nN,3:"_s + kName20 + kCrLf},
        {50, u"05 23 24 07"_s, u": Submit board result\r\n5:3NT,N,9,SA"_s},
        {51, u"23 24 07 38 00 40"_s,
         u": Ack. board result and reply Traveler feedback\r\n3NT,N,9,SA\r\nNP,N,0,--\r\n"_s},
        {52, u"05 23 24 07 01 08"_s, u": Submit board result\r\n5:3NT,N,9,SA;1,8"_s},
        {53, u"81 90 03 01 2C 01"_s,
         u": Ack. board result and reply Frequency feedback\r\n-400,3\r\n300,1\r\n"_s},
        {54, u"05 63 3C 40 01 08 03 0A"_s, u": Submit board result\r\n5:3NTX,6,0%-40%,--;1,8;3,10"_s},
        {55, u""_s, u": Ack. board result"_s},
        {56, u""_s, u": Request ranking data"_s},
        {57, u"00 03 01 05 10 02 07 0E"_s, u": Reply ranking data\r\n3\r\nA,5,16\r\nB,7,14\r\n"_s},
        {58, u""_s, u": Request all pair PINs"_s},
        {59, u"00 01 0C 22"_s, u": Reply all pair PINs\r\n1,1234\r\n"_s},
        {60, u""_s, u": Ask round names"_s},
        {61, u"00"_s + ann, u": Reply player names in the current round\r\n"_s + kName20 + kCrLf},
        {70, u"05 23 24 07"_s, u": Submit board result\r\n5:3NT,N,9,SA"_s},
        {72, u"05 23 24 07 01 08"_s, u": Submit board result\r\n5:3NT,N,9,SA;1,8"_s},
        {73, u"05 02"_s, u": Ack. board result\r\n5,2"_s},
        {74, u"05 23 24 07 01 08 03 0A"_s, u": Submit board result\r\n5:3NT,N,9,SA;1,8;3,10"_s},
        {75, u"05 02 06 01"_s, u": Ack. board result\r\n5,2;6,1"_s},
        {80, u"05"_s, u": Submit dealt card"_s},
        {81, u""_s, u": Acknowledge dealt card"_s},
        {82, u"05"_s, u": Submit bid"_s},
        {83, u""_s, u": Acknowledge bid"_s},
        {84, u"05"_s, u": Submit played card"_s},
        {85, u""_s, u": Acknowledge played card"_s},
        {86, u"05"_s, u": Request deal"_s},
        {87, u"05"_s, u": Reply deal"_s},
        {88, u"05"_s, u": Request deal"_s},
        {89, u"05"_s, u": Reply deal"_s},
        {90, u"03"_s, u": Request Swiss movement data for round\r\n3"_s},
        {91, u"01 02 03 04 05"_s, u": Reply Swiss movement data\r\n1,2;3,4;5"_s},
        {100, u"01 03 03 14"_s, u": Request replacing table login\r\nA3"_s},
        {101, u"11 03"_s, u": Reply replacing table login\r\n00000011"_s},
        {102, u""_s, u": Request stored board results"_s},
        {103, u"00 05 23 24 07 01 08 07 EA 0C 07 13 1E 00"_s,
         u": Reply stored board results\r\n5:3NT,N,9,SA;1,8;2026-12-07 19:30:00\r\n"_s},
        {104, u"05"_s, u": Request score frequency"_s},
        {105, u"11"_s, u": Reply score frequency"_s},
        {106, u"01"_s, u": Request personal recap"_s},
        {107, u"11"_s, u": Reply personal recap"_s},
        {108, u""_s, u": Request stored board results"_s},
        {109, u"11"_s, u": Reply stored board results"_s},
        {110, u""_s, u": Request reload game settings and movement"_s},
        {112, u""_s, u": Acknowledge updated movement"_s},
        {114, u""_s, u": Request reload game settings and movement"_s},
        {115, u"11"_s, u": Reply reload game settings"_s},
        {121, u""_s, u": No table login with this TQZ"_s},
        // Bit 7 of a code is the reload flag; 128 itself, 0 to 9 and codes no one uses are
        // unknown.
        {0x80 + 73, u"05 02"_s, u": Ack. board result\r\n5,2"_s},
        {128, u""_s, u": unknown message type"_s},
        {5, u""_s, u": unknown message type"_s},
        {99, u""_s, u": unknown message type"_s},
    };
    for (const Case& c : cases) {
        const QString line = logged(c.code, c.data.toLatin1().constData());
        SCOPED_TRACE(line.toStdString());
        QString shown = line;
        shown.replace(QStringLiteral("<="), QStringLiteral(">"));
        EXPECT_EQ(decodeMessageTrace(line, false),
                  shown + kCrLf + QStringLiteral("TQZ 0x000C") + c.decoded + kCrLf);
    }
}

// The game settings and the movement of a login or reload reply: the status, the settings
// block and the movement records, of two pairs or of four players by the game type.
TEST(MessageTraceTest, SettingsAndMovementOfLoginReplies) {
    const QString block = QStringLiteral("01 00 00 0C 22 00 07 EA 0C 07 13 1E 00");
    const QString settings = QStringLiteral("00000001 00000000 0 1234 0\r\n2026-12-07 19:30:00");
    struct Case {
        const char* what;
        QString line;
        bool individual;
        QString details;
    };
    const Case cases[] = {
        {"a pairs login, one piece",
         QStringLiteral("TX => FF 00 0C 1A 15 11 03 ") + block +
             QStringLiteral(" 03 00 01 08 01 02 09 04 00 00"),
         false,
         QStringLiteral("TQZ 0x000C: Reply table login\r\n00000011\r\n") + settings +
             QStringLiteral("\r\n3,0\r\n1,8;1;2;9,4")},
        {"an individual reload, no status",
         QStringLiteral("TX => FF 00 0C 1A 6F 11 ") + block +
             QStringLiteral(" 02 00 01 02 03 04 05 06 07 08 09 0A 00 00"),
         true,
         QStringLiteral("TQZ 0x000C: Reply reload game settings and movement\r\n") + settings +
             QStringLiteral("\r\n2,0\r\n1,2,3,4;5;6;7,8,9,10")},
        // The second piece continues a record cut by the first: two zeros line it up.
        {"the second piece of a pairs login", QStringLiteral("TX => FF 00 0C 06 15 22 09 04 05 06 00 00"),
         false, QStringLiteral("TQZ 0x000C: Reply table login\r\n0,0;9;4;5,6")},
        {"a base-station command", QStringLiteral("sys => FF FF 03 01 01 01 04"), false,
         QStringLiteral("System command to baseStation\r\nFF030101")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString shown = c.line;
        shown.replace(QStringLiteral("=>"), QStringLiteral(">"));
        EXPECT_EQ(decodeMessageTrace(c.line, c.individual), shown + kCrLf + c.details + kCrLf);
    }
}

TEST(MessageTraceTest, LinesThatAreNoFrameStayAsTheyAre) {
    const QString text = QStringLiteral("2026-12-07 19:30:00.125 : Start game.\r\n"
                                        "RX <= FF 00 0C 00 00 0C\r\n" // L = 0: too short
                                        "RX <= 00 0C 01 0A 00 17\r\n" // no start byte
                                        "RX <= FF 00 0C 01 0A 00 17");
    EXPECT_EQ(decodeMessageTrace(text, false),
              QStringLiteral("2026-12-07 19:30:00.125 : Start game.\r\n"
                             "RX <= FF 00 0C 00 00 0C\r\n"
                             "RX <= 00 0C 01 0A 00 17\r\n"
                             "RX > FF 00 0C 01 0A 00 17\r\nTQZ 0x000C: Request game status\r\n"));
    EXPECT_EQ(bitsText(0), QStringLiteral("00000000"));
    EXPECT_EQ(bitsText(197), QStringLiteral("11000101"));
    EXPECT_EQ(bitsText(300), QStringLiteral("11111111"));
}

// "Decode msg" decodes the line of the caret in place and selects it; with the caret at the
// start or the end of the text the whole text is decoded.
TEST(MessageTraceTest, DecodeAtTheCaret) {
    const QString first = QStringLiteral("RX <= FF 00 0C 01 0A 00 17");
    const QString second = QStringLiteral("TX => FF 00 0C 03 49 05 02 00 00");
    const QString text = first + QLatin1Char('\n') + second;
    const QString firstDecoded =
        QStringLiteral("RX > FF 00 0C 01 0A 00 17\nTQZ 0x000C: Request game status\n");
    const QString secondDecoded =
        QStringLiteral("TX > FF 00 0C 03 49 05 02 00 00\nTQZ 0x000C: Ack. board result\n5,2\n");
    struct Case {
        const char* what;
        qsizetype caret;
        QString text;
        qsizetype selectionStart;
        qsizetype selectionLength;
    };
    const Case cases[] = {
        {"caret inside the first line", 3, firstDecoded + second, 0, firstDecoded.size() - 1},
        {"caret at the start of the last line", first.size() + 1, first + QLatin1Char('\n') + secondDecoded,
         first.size() + 1, secondDecoded.size()},
        {"caret at the start", 0, firstDecoded + secondDecoded, (firstDecoded + secondDecoded).size(), 0},
        {"caret at the end", text.size(), firstDecoded + secondDecoded, (firstDecoded + secondDecoded).size(),
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedTrace decoded = decodeTraceAtCaret(text, c.caret, false);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.selectionStart, c.selectionStart);
        EXPECT_EQ(decoded.selectionLength, c.selectionLength);
    }
}

} // namespace
} // namespace qzc
