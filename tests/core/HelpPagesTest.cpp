// The help folder that ships beside the program: a page for every topic the program opens,
// links that lead somewhere, and the build's copy beside the program.

#include "core/Help.h"
#include "support/GoldenFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace qzc {
namespace {

TEST(HelpPagesTest, EveryTopicHasAPageAndEveryLinkLeadsToOne) {
    for (const char* folder : {QZC_HELP_SOURCE, QZC_HELP_BUILT}) {
        const QString help = QString::fromUtf8(folder);
        SCOPED_TRACE(folder);
        for (qint16 topic = 0; topic <= 27; ++topic) {
            const QString page = help + Help::helpPage(topic, QStringLiteral("/"));
            const QByteArray text = test::readFileBytes(page);
            EXPECT_TRUE(text.contains("<h1>") && text.contains("</html>")) << page.toStdString();
        }
        static const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)\""));
        QDirIterator pages(help, {QStringLiteral("*.html")}, QDir::Files, QDirIterator::Subdirectories);
        int count = 0;
        while (pages.hasNext()) {
            const QFileInfo page(pages.next());
            ++count;
            const QString text = QString::fromUtf8(test::readFileBytes(page.filePath()));
            for (const QRegularExpressionMatch& m : link.globalMatch(text))
                EXPECT_TRUE(QFileInfo::exists(page.dir().filePath(m.captured(1))))
                    << page.filePath().toStdString() << " -> " << m.captured(1).toStdString();
        }
        EXPECT_EQ(count, 31);
    }
}

} // namespace
} // namespace qzc
