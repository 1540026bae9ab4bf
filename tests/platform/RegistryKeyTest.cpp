#include "platform/RegistryKey.h"

#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(RegistryKeyTest, ReadsTextAndNumbersOnly) {
    test::TempFolder folder;
    const QString path = folder.filePath(QStringLiteral("ORV.conf"));
    const QString longValue(1500, QLatin1Char('x'));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nOutside=1\n[Settings]\nLanguage=en\nQZCPath=\"D:\\\\Orv\\\\events\\\\all.txt\"\n"
               "Count=42\nList=a, b\nPoint=@Point(1 2)\nLong=" +
               longValue.toLatin1() + "\n");
    file.close();

    const struct {
        const char* name;
        QString expected;
    } cases[] = {
        {"Language", QStringLiteral("en")},
        {"QZCPath", QStringLiteral("D:\\Orv\\events\\all.txt")},
        {"Count", QStringLiteral("42")},
        {"List", {}},
        {"Point", {}},
        {"Missing", {}},
        {"Outside", {}}, // not in the Settings group
        {"", {}},
        {"Long", longValue}, // long values come back whole
    };
    const RegistryKey key(path);
    for (const auto& c : cases)
        EXPECT_EQ(key.GetRegString(QString::fromLatin1(c.name)), c.expected) << c.name;
    EXPECT_EQ(
        RegistryKey(folder.filePath(QStringLiteral("none.conf"))).GetRegString(QStringLiteral("Language")),
        QString());
}

} // namespace
} // namespace qzc
