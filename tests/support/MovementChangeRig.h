#pragma once

#include "gamedata/GameDataAnalysis.h"
#include "support/DispatchRig.h"
#include "support/EventBuilder.h"
#include "support/ScriptedMessageBox.h"
#include "support/TestCoreApp.h"

#include <QList>

namespace qzc::test {

/// An evening whose terminals enter results while the scoring program changes the movement:
/// the request dispatcher of a started program, a terminal at each of the first tables of
/// section A, and the game-data analysis that takes the change up.
class MovementChangeRig {
public:
    static constexpr char submitCode = '\x34';
    static constexpr char submitListCode = '\x48';

    /// One result record as a terminal sends it: 4S by North taking 10 tricks, lead HK.
    static QByteArray record(int board, int ns, int ew) {
        const char bytes[] = {static_cast<char>(board), '\x1c', '\x28', '\x36', static_cast<char>(ns),
                              static_cast<char>(ew)};
        return QByteArray(bytes, sizeof bytes);
    }

    /// Section A: a Mitchell of tables (NS t at table t, EW from tables + 1), rounds of
    /// boardsPerRound boards, all of them one stanza.
    static EventBuilder mitchell(int tables, int rounds, int boardsPerRound) {
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        b.addMitchellMovement(a, tables, rounds, boardsPerRound);
        b.setStanza(a, 1, rounds);
        return b;
    }

    /// Section A without a movement: tables 1 to tables, 6 boards in rounds of boardsPerRound
    /// (stanza rounds 1 to 6 / boardsPerRound).
    static EventBuilder withoutMovement(int tables, int boardsPerRound = 2) {
        EventBuilder b;
        const int a = b.addSection(QStringLiteral("A"));
        for (int t = 1; t <= tables; ++t)
            b.addTable(a, t);
        b.setStanza(a, 1, 6 / boardsPerRound);
        b.setOwnSetting(QStringLiteral("custom_qz_roundboard"), boardsPerRound);
        b.setOwnSetting(QStringLiteral("custom_qz_totalboard"), 6);
        return b;
    }

    /// Starts the event with a terminal at each of the first tables of section A.
    MovementChangeRig(EventBuilder& b, int tables) {
        for (int t = 1; t <= tables; ++t)
            b.addTerminal(t, 1, t);
        started = rig.start(b);
    }

    /// The terminal of the table sends one result (52) or a list (72); the code and data of
    /// the reply's first piece, empty when there is no reply.
    QByteArray submit(int table, const QList<QByteArray>& records, bool list = false) {
        QByteArray request(1, list || records.size() > 1 ? submitListCode : submitCode);
        for (const QByteArray& r : records)
            request += r;
        const qsizetype before = rig.sender.sent.size();
        rig.request(static_cast<quint16>(table), request);
        return rig.sender.sent.size() > before ? rig.sender.sent[before].body.mid(3) : QByteArray();
    }
    /// Every table (but exceptTable) enters each board of the rounds first to last, under the
    /// pairs the movement in memory seats.
    void playRounds(int first, int last, int exceptTable = 0) {
        for (const MovementRow& row : std::vector(rig.data.gameData.movementRows())) {
            for (const qint16 board : row.boards) {
                if (row.Round >= first && row.Round <= last && row.Table != exceptTable && row.playsBoards())
                    submit(row.Table, {record(board, row.NSPair, row.EWPair)});
            }
        }
    }
    /// "round:NS-EW" of the table's stored result of the board; "-" when there is none.
    QString stored(int table, int board) {
        const QVariant v = rig.data.value(
            QStringLiteral(
                "SELECT group_concat(Round || ':' || PairNS || '-' || PairEW, ' ') FROM ReceivedData "
                "WHERE [Table]=%1 AND Board=%2")
                .arg(table)
                .arg(board));
        return v.isNull() ? QStringLiteral("-") : v.toString();
    }
    bool exec(const QString& sql) { return rig.data.exec(sql); }
    /// The game-data analysis, the director's answer to its question given.
    void analyse(bool answer) {
        box.answers.push_back(answer);
        GameDataAnalysis analysis(rig.data.gameData, rig.names, rig.data.harness.db, rig.data.harness.log,
                                  rig.data.harness.event, box, rig.host, rig.host);
        analysis.AnalyzeGameDB();
    }

    TestCoreApp app;
    DispatchRig rig;
    ScriptedMessageBox box;
    bool started = false;
};

} // namespace qzc::test
