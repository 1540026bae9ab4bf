// A whole evening: the terminals of every table log in and enter every board of their
// movement, through the simulated base station, the program's link and its dispatcher.

#include "DispatcherPtyFixture.h"
#include "core/ResultEntry.h"
#include "scoring/ContractScore.h"
#include "scoring/WireCodes.h"
#include "support/EveningPlayer.h"
#include "support/Fixtures.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <atomic>
#include <thread>

namespace qzc {
namespace {

class EveningTest : public test::DispatcherPtyTest {
protected:
    /// Runs the program's side until done() holds; false when the guard ran out first (a
    /// failed test, not a measurement).
    bool pumpUntil(const std::function<bool()>& done) {
        QElapsedTimer guard;
        guard.start();
        while (!done()) {
            if (guard.elapsed() > 120000)
                return false;
            station->port().waitForReadyRead(5);
            for (int i = 0; i < 20; ++i)
                station->timerPort_Timer();
            station->timer_Queue_Timer();
        }
        return true;
    }

    static std::vector<test::PlayedTable> tablesOf(int sections, int tables) {
        std::vector<test::PlayedTable> played;
        for (int s = 1; s <= sections; ++s) {
            for (int t = 1; t <= tables; ++t) {
                const QString label = QString(QChar(u'A' + s - 1)) + QString::number(t);
                played.push_back({label, static_cast<quint8>(s), static_cast<quint8>(t),
                                  static_cast<quint16>(0x8000 + s * 0x100 + t)});
            }
        }
        return played;
    }
};

TEST_F(EveningTest, EveryTableEntersEveryBoardAfterTheGameStarts) {
    test::EventBuilder b = test::fixtures::clubEvening();
    b.setStanza(1, 1, 5);
    b.setStanza(2, 1, 5);
    start(b, 0);
    // The queue takes nothing at first: the terminals must send their requests again.
    station->processQueue().stopProcess();

    test::EveningOptions options;
    options.replyWaitMs = 300;
    options.retryMs = 50;
    options.attempts = 400;
    std::atomic<bool> stop{false};
    std::atomic<int> unanswered{0};
    std::atomic<int> waiting{0};
    std::atomic<bool> finished{false};
    std::vector<test::TableOutcome> outcomes;
    test::EveningPlayer player(sim, tablesOf(2, 6), options);
    std::thread terminals([&] {
        outcomes = player.play(stop, [&](const QString& line) {
            if (line.contains(QLatin1String("no answer from the program yet")))
                ++unanswered;
            if (line.contains(QLatin1String("waiting for the game to start")))
                ++waiting;
        });
        finished = true;
    });

    const bool played = pumpUntil([&] { return unanswered >= 12; }) && [&] {
        station->processQueue().startProcess();
        return pumpUntil([&] { return waiting >= 12; });
    }() && [&] {
        host().mode = 1;
        return pumpUntil([&] { return finished.load(); });
    }();
    stop = true;
    terminals.join();
    ASSERT_TRUE(played);

    ASSERT_EQ(outcomes.size(), 12u);
    for (const test::TableOutcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.finished) << outcome.label.toStdString() << ": " << outcome.problem.toStdString();
        EXPECT_EQ(outcome.resultsEntered, 15) << outcome.label.toStdString();
        EXPECT_GE(outcome.resends, 1) << outcome.label.toStdString();
    }
    // However often a table asked before the program listened, it said so once.
    EXPECT_EQ(unanswered, 12);
    EXPECT_EQ(data().value(QStringLiteral("SELECT COUNT(*) FROM ReceivedData")).toInt(), 12 * 15);
    EXPECT_EQ(data()
                  .value(QStringLiteral("SELECT COUNT(*) FROM custom_qz_TQZ WHERE ResultExpected=15 AND "
                                        "ResultGot=15 AND Lock=1 AND TQZ_ID>32768"))
                  .toInt(),
              12);
    EXPECT_TRUE(logged(QStringLiteral("All TQZ (12) found completed. (doMsg)")));
    EXPECT_TRUE(log().filter(QStringLiteral("Skip board result")).isEmpty());

    // Each stored result is the one its terminal made up for the board.
    std::optional<QSqlQuery> rows = data().harness.db.select(
        QStringLiteral("SELECT Section, [Table], Board, PairNS, PairEW, custom_qz_score FROM ReceivedData"));
    int checked = 0;
    while (rows && rows->next()) {
        const auto section = static_cast<quint8>(rows->value(0).toInt());
        const auto table = static_cast<quint8>(rows->value(1).toInt());
        const auto board = static_cast<quint8>(rows->value(2).toInt());
        const QByteArray request = test::EveningPlayer::resultRequest(
            section, table, board, static_cast<quint8>(rows->value(3).toInt()),
            static_cast<quint8>(rows->value(4).toInt()));
        ResultEntry expected;
        expected.contract = wireContractText(static_cast<quint8>(request[2]));
        const QString result = wireResultText(static_cast<quint8>(request[3]));
        const qint16 score = expected.contract == QLatin1String("PASS")
                                 ? qint16{0}
                                 : calcContractScore(board, expected.contract, result.left(1),
                                                     static_cast<qint16>(result.mid(1).toInt()));
        EXPECT_EQ(rows->value(5).toInt(), score) << section << " " << table << " " << board;
        ++checked;
    }
    EXPECT_EQ(checked, 180);
}

} // namespace
} // namespace qzc
