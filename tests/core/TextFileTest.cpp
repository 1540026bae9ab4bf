#include "core/TextFile.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <ostream>
#include <unistd.h>

namespace qzc {
namespace {

QString writeFile(const test::TempFolder& folder, const QString& name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadTextFileTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTextFileTest, DecodesUtf8ElseWindows1252) {
    test::TempFolder folder;
    const QString path = writeFile(folder, QStringLiteral("names.txt"), GetParam().bytes);
    qint16 errorCode = -1;
    EXPECT_EQ(ReadTextFile(path, errorCode), GetParam().expected);
    EXPECT_EQ(errorCode, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadTextFileTest,
    ::testing::Values(
        ReadCase{"Empty", QByteArray(), QString()},
        ReadCase{"AsciiKeepsCrlf", "1;Smith\r\n2;Jones\r\n", QStringLiteral("1;Smith\r\n2;Jones\r\n")},
        ReadCase{"Utf8", "Jos\xC3\xA9 \xE2\x82\xAC", QStringLiteral(u"Jos\u00E9 \u20AC")},
        ReadCase{"Windows1252", "Jos\xE9 \x80 \x8A \x81", QStringLiteral(u"Jos\u00E9 \u20AC \u0160 \u0081")}),
    [](const ::testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

TEST(TextFileTest, PathsWithoutAFile) {
    test::TempFolder folder;
    qint16 errorCode = -1;
    EXPECT_EQ(ReadTextFile(QString(), errorCode), QString());
    EXPECT_EQ(errorCode, 1);
    EXPECT_EQ(ReadTextFile(folder.filePath(QStringLiteral("none.txt")), errorCode), QString());
    EXPECT_EQ(errorCode, 0);
    EXPECT_FALSE(FileExists(folder.filePath(QStringLiteral("none.txt"))));
    EXPECT_FALSE(FileExists(folder.path()));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(FileExists(writeFile(folder, QStringLiteral("a.txt"), "x")));
}

TEST(TextFileTest, UnreadableFileIsNotAFile) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind root";
    }
    test::TempFolder folder;
    const QString path = writeFile(folder, QStringLiteral("locked.txt"), "secret");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_FALSE(FileExists(path));
    qint16 errorCode = -1;
    EXPECT_EQ(ReadTextFile(path, errorCode), QString());
    EXPECT_EQ(errorCode, 0);
}

} // namespace
} // namespace qzc
