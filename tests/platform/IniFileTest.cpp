#include "platform/IniFile.h"

#include "support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

namespace qzc {
namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString longValue =
    QStringLiteral("/data/") + QString(300, QLatin1Char('x')) + QStringLiteral("/club.db");

struct ReadCase {
    const char* section;
    const char* key;
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << "[" << c.section << "] " << c.key;
}

class IniFileReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniFileReadTest, FindsTheFirstMatchWithoutRegardToCase) {
    test::TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("qzcontrol.ini"));
    writeBytes(path, QByteArray("Stray=before any section\r\n"
                                "; comment\r\n"
                                "[QZC]\r\n"
                                "ComPort = 3 \r\n"
                                "comport=9\r\n"
                                ";LogBuffer=5\r\n"
                                "Empty=\r\n"
                                "no equals sign\r\n"
                                "[qzc]\r\n"
                                "TraceLevel=1\r\n"
                                "[Other]\r\n"
                                "Key=a=b\r\n"
                                "  [ Spaced Name ]  \r\n"
                                "  Path  =  ") +
                         longValue.toUtf8() + "  ");
    const IniFile ini(path);
    const ReadCase& c = GetParam();
    EXPECT_EQ(ini.read(QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileReadTest,
    ::testing::Values(ReadCase{"QZC", "ComPort", QStringLiteral("3")},
                      ReadCase{"qzc", "COMPORT", QStringLiteral("3")},
                      ReadCase{"QZC", "LogBuffer", QString()},  // commented out
                      ReadCase{"QZC", "TraceLevel", QString()}, // only the first [QZC] counts
                      ReadCase{"QZC", "Empty", QString()}, ReadCase{"QZC", "no equals sign", QString()},
                      ReadCase{"QZC", "Stray", QString()}, ReadCase{"Other", "Key", QStringLiteral("a=b")},
                      ReadCase{"spaced name", "path", longValue}, // never cut
                      ReadCase{"Missing", "Key", QString()}, ReadCase{"QZC", "", QString()}));

TEST(IniFileTest, MissingFileReadsEmpty) {
    test::TempFolder folder;
    const IniFile ini(folder.filePath(QStringLiteral("none.ini")));
    EXPECT_EQ(ini.read(QStringLiteral("QZC"), QStringLiteral("ComPort")), QString());
}

struct WriteCase {
    const char* name;
    QByteArray before; // "<missing>" for no file
    const char* section;
    const char* key;
    QString value;
    QByteArray after;
    const char16_t* readBack = nullptr; // when it differs from the value written
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniFileWriteTest, ChangesOnlyItsOwnLine) {
    const WriteCase& c = GetParam();
    test::TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("qzcontrol.ini"));
    if (c.before != "<missing>") {
        writeBytes(path, c.before);
    }
    IniFile ini(path);
    const QString section = QString::fromUtf8(c.section);
    const QString key = QString::fromUtf8(c.key);
    ASSERT_TRUE(ini.write(section, key, c.value));
    EXPECT_EQ(readBytes(path), c.after);
    EXPECT_EQ(ini.read(section, key),
              c.readBack != nullptr ? QString::fromUtf16(c.readBack) : c.value.trimmed());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileWriteTest,
    ::testing::Values(
        WriteCase{"NewFileUsesCrlf", "<missing>", "QZC", "ComPort", QStringLiteral("3"),
                  "[QZC]\r\nComPort=3\r\n"},
        WriteCase{"EmptyFile", "", "QZC", "ComPort", QStringLiteral("3"), "[QZC]\r\nComPort=3\r\n"},
        WriteCase{"ReplaceKeepsCommentsAndSpacing",
                  "; top\r\n[QZC]\r\n  Channel = 7 \r\nComPort=1\r\n; end\r\n", "QZC", "ComPort",
                  QStringLiteral("4"), "; top\r\n[QZC]\r\n  Channel = 7 \r\nComPort=4\r\n; end\r\n"},
        WriteCase{"ReplaceKeepsTheFilesKeyName", "[qzc]\r\ncomPORT=1\r\n", "QZC", "ComPort",
                  QStringLiteral("2"), "[qzc]\r\ncomPORT=2\r\n"},
        WriteCase{"FirstOfTwoKeys", "[A]\r\nk=1\r\nk=2\r\n", "a", "K", QStringLiteral("9"),
                  "[A]\r\nk=9\r\nk=2\r\n"},
        WriteCase{"FirstOfTwoSections", "[A]\r\nx=1\r\n[a]\r\nk=2\r\n", "A", "k", QStringLiteral("3"),
                  "[A]\r\nx=1\r\nk=3\r\n[a]\r\nk=2\r\n"},
        WriteCase{"NewKeyBeforeBlankLineAndNextSection", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z",
                  QStringLiteral("3"), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"NewKeyInEmptySection", "[A]\r\n[B]\r\n", "B", "k", QStringLiteral("v"),
                  "[A]\r\n[B]\r\nk=v\r\n"},
        WriteCase{"NewSectionInLfFile", "[A]\nx=1\n", "B", "k", QStringLiteral("v"), "[A]\nx=1\n[B]\nk=v\n"},
        WriteCase{"LeadingEmptyLfLine", "\n[A]\n", "A", "k", QStringLiteral("v"), "\n[A]\nk=v\n"},
        WriteCase{"LastLineWithoutLineEnd", "[A]\r\nx=1", "A", "y", QStringLiteral("2"),
                  "[A]\r\nx=1\r\ny=2\r\n"},
        WriteCase{"EmptyValue", "[A]\r\nx=1\r\n", "A", "x", QString(), "[A]\r\nx=\r\n"},
        WriteCase{"LongValue", "[A]\r\n", "A", "Path", longValue,
                  QByteArray("[A]\r\nPath=") + longValue.toUtf8() + "\r\n"},
        WriteCase{"Utf8StaysUtf8", "[A]\r\nn=Caf\xC3\xA9\r\n", "A", "m", QStringLiteral(u"Jos\u00E9"),
                  "[A]\r\nn=Caf\xC3\xA9\r\nm=Jos\xC3\xA9\r\n"},
        WriteCase{"AnsiStaysAnsi", "[A]\r\nn=Caf\xE9 \x80\r\n", "A", "m",
                  QStringLiteral(u"Jos\u00E9 \u20AC \u4E2D"), "[A]\r\nn=Caf\xE9 \x80\r\nm=Jos\xE9 \x80 ?\r\n",
                  u"Jos\u00E9 \u20AC ?"},
        WriteCase{"ByteOrderMarkKept", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", QStringLiteral("2"),
                  "\xEF\xBB\xBF[A]\r\nx=2\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& p) { return std::string(p.param.name); });

TEST(IniFileTest, AnsiFileReadsAsWindows1252) {
    test::TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("a.ini"));
    writeBytes(path, "[A]\r\nn=Caf\xE9 \x80 \x9C\r\n");
    EXPECT_EQ(IniFile(path).read(QStringLiteral("A"), QStringLiteral("n")),
              QStringLiteral(u"Caf\u00E9 \u20AC \u0153"));
}

TEST(IniFileTest, RefusesWritesThatWouldBreakTheFile) {
    test::TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("a.ini"));
    const QByteArray before = "[A]\r\nx=1\r\n";
    writeBytes(path, before);
    IniFile ini(path);
    EXPECT_FALSE(ini.write(QStringLiteral("A"), QStringLiteral("x"), QStringLiteral("1\r\n[B]")));
    EXPECT_FALSE(ini.write(QStringLiteral("A"), QStringLiteral("k=v"), QStringLiteral("1")));
    EXPECT_FALSE(ini.write(QStringLiteral("A]"), QStringLiteral("k"), QStringLiteral("1")));
    EXPECT_FALSE(ini.write(QString(), QStringLiteral("k"), QStringLiteral("1")));
    EXPECT_EQ(readBytes(path), before);
}

TEST(IniFileTest, WriteToAMissingFolderFails) {
    test::TempFolder folder;
    IniFile ini(folder.filePath(QStringLiteral("no/such/folder/a.ini")));
    EXPECT_FALSE(ini.write(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("1")));
}

} // namespace
} // namespace qzc
