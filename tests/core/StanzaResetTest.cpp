#include "core/StanzaReset.h"

#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/Fixtures.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace qzc {
namespace {

TEST(StanzaResetTest, EverySectionPlaysOneStanzaOfItsRounds) {
    test::EventHarness h;
    // Section A: a changed movement in its second stanza; section B: no rounds at all.
    test::EventBuilder b = test::fixtures::multiStanza();
    b.setStanza(1, 4, 6, 2);
    const int sb = b.addSection(QStringLiteral("B"));
    b.addTable(sb, 1);
    ASSERT_TRUE(h.buildAndStart(b));
    ASSERT_TRUE(
        h.db.execSQL(QStringLiteral("UPDATE Tables SET custom_qz_loadsetup=1"), QStringLiteral("test")));

    resetEventStanzas(h.db, h.log);

    QStringList sections;
    std::optional<QSqlQuery> q = h.db.select(QStringLiteral(
        "SELECT Letter, custom_qz_stanazBeginGameRound, custom_qz_stanazEdgeGameRound, custom_qz_UFRmode "
        "FROM Section ORDER BY ID"));
    while (q && q->next())
        sections << QStringLiteral("%1 %2-%3 %4")
                        .arg(q->value(0).toString(), q->value(1).toString(), q->value(2).toString(),
                             q->value(3).toString());
    EXPECT_EQ(sections, (QStringList{u"A 1-6 0"_s, u"B 1-0 0"_s}));
    qint32 pending = -1;
    h.db.getDBValue(QStringLiteral("SELECT SUM(custom_qz_loadsetup) + SUM(UpdateFromRound) AS n FROM Tables"),
                    QStringLiteral("n"), pending);
    EXPECT_EQ(pending, 0);
    const QStringList lines = h.logMessages();
    EXPECT_TRUE(lines.contains(QStringLiteral("Initialize stanza for A: 1,6 (main)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Initialize stanza for B: 1,0 (main)")));
}

} // namespace
} // namespace qzc
