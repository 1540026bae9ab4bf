#include "platform/Ansi.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(AnsiTest, RoundTripsEveryCharacterOfTheCodePage) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("N-S 3NT"), QByteArrayLiteral("N-S 3NT")},
        {QStringLiteral("\u20AC Nick\u2019s \u0160\u017D\u0178"),
         QByteArrayLiteral("\x80 Nick\x92s \x8A\x8E\x9F")},
        {QStringLiteral("J\u00F6rg \u00C9mile \u00FF"), QByteArrayLiteral("J\xF6rg \xC9mile \xFF")},
        // The undefined bytes keep their number, so any byte survives a round trip.
        {QStringLiteral("\u0081\u008D\u008F\u0090\u009D"), QByteArrayLiteral("\x81\x8D\x8F\x90\x9D")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ansi::encode(c.text), c.bytes);
        EXPECT_EQ(Ansi::decode(c.bytes), c.text);
    }
}

TEST(AnsiTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const struct {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QStringLiteral("4\u2660"), QByteArrayLiteral("4?")},
        {QStringLiteral("\u0080\u0098"), QByteArrayLiteral("??")},  // C1 controls that 1252 uses otherwise
        {QStringLiteral("a\U0001F600b"), QByteArrayLiteral("a?b")}, // one character, one '?'
        {QString(QChar(0xD800)), QByteArrayLiteral("?")},           // lone surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ansi::encode(c.text), c.bytes) << c.text.toStdString();
    EXPECT_EQ(Ansi::encodeChar(QChar(0x2019)), '\x92');
}

TEST(AnsiTest, FileTextIsUtf8WhenValidElseWindows1252) {
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArrayLiteral("J\xC3\xB6rg \xE2\x82\xAC"), QStringLiteral("J\u00F6rg \u20AC")},
        {QByteArrayLiteral("\xEF\xBB\xBFNames"), QStringLiteral("Names")},
        {QByteArrayLiteral("J\xF6rg \x80"), QStringLiteral("J\u00F6rg \u20AC")},
        {QByteArrayLiteral("caf\xC3"), QStringLiteral("caf\u00C3")}, // UTF-8 cut off at the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ansi::decodeFileText(c.bytes), c.text);
}

} // namespace
} // namespace qzc
