#include "ResultFileEvents.h"

namespace qzc::test::events {

namespace {

const QString N = QStringLiteral("N");
const QString E = QStringLiteral("E");
const QString S = QStringLiteral("S");
const QString W = QStringLiteral("W");

ResultRow withRemark(ResultRow row, const QString& remark, bool keepContract = false) {
    row.remarks = remark;
    if (!keepContract) {
        row.contract = QString();
        row.result = QString();
        row.score.reset();
        row.qzDeclarer = QVariant();
        row.nsEw = QVariant();
        row.declarerNo.reset();
    }
    return row;
}

void addMitchellResults(EventBuilder& b, int s, bool secondField) {
    // Board 1: T1R1 1-4, T3R2 3-5, T2R3 2-6.
    if (!secondField) {
        ResultRow first = ResultRow::played(s, 1, 1, 1, 1, 4, QStringLiteral("4S"), N, 10);
        first.leadCard = QStringLiteral("HK");
        b.addResult(first);
        b.addResult(ResultRow::played(s, 3, 2, 1, 3, 5, QStringLiteral("4S"), N, 9));
        b.addResult(ResultRow::played(s, 2, 3, 1, 2, 6, QStringLiteral("3NT"), S, 10));
    } else {
        b.addResult(ResultRow::played(s, 1, 1, 1, 1, 4, QStringLiteral("4S"), N, 10));
        b.addResult(ResultRow::played(s, 3, 2, 1, 3, 5, QStringLiteral("4S"), N, 11));
        b.addResult(withRemark(ResultRow::played(s, 2, 3, 1, 2, 6, {}, N, 0), QStringLiteral("NP")));
    }
    // Board 2 (North-South vulnerable): T2R1 2-5, T1R2 1-6, T3R3 3-4.
    if (!secondField) {
        b.addResult(ResultRow::played(s, 2, 1, 2, 2, 5, QStringLiteral("4H"), N, 10));
        b.addResult(ResultRow::played(s, 1, 2, 2, 1, 6, QStringLiteral("2H"), N, 10));
        b.addResult(
            withRemark(ResultRow::played(s, 3, 3, 2, 3, 4, {}, N, 0), QStringLiteral("Fouled \"B2\"; avg+")));
    } else {
        b.addResult(ResultRow::played(s, 2, 1, 2, 2, 5, QStringLiteral("4H"), N, 10));
        b.addResult(ResultRow::played(s, 1, 2, 2, 1, 6, QStringLiteral("4H"), N, 11));
        b.addResult(ResultRow::played(s, 3, 3, 2, 3, 4, QStringLiteral("4H"), N, 9));
    }
    // Board 3 (East-West vulnerable): T3R1 3-6, T2R2 2-4, T1R3 1-5.
    if (!secondField) {
        b.addResult(ResultRow::played(s, 3, 1, 3, 3, 6, QStringLiteral("1NT"), N, 7));
        b.addResult(ResultRow::played(s, 2, 2, 3, 2, 4, QStringLiteral("2S"), E, 8));
        b.addResult(withRemark(ResultRow::played(s, 1, 3, 3, 1, 5, {}, N, 0), QStringLiteral("NP")));
    } else {
        b.addResult(ResultRow::played(s, 3, 1, 3, 3, 6, QStringLiteral("1NT"), N, 7));
        b.addResult(ResultRow::played(s, 2, 2, 3, 2, 4, QStringLiteral("3C"), S, 9));
        b.addResult(ResultRow::played(s, 1, 3, 3, 1, 5, QStringLiteral("2D"), N, 10));
    }
}

} // namespace

EventBuilder oneWinner() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    // Round 1 plays boards 1-2, round 2 boards 3-4; every pair changes direction.
    const int seats[2][3][2] = {{{1, 2}, {3, 4}, {5, 6}}, {{4, 1}, {6, 3}, {2, 5}}};
    for (int r = 0; r < 2; ++r) {
        for (int t = 0; t < 3; ++t)
            b.addRound(RoundRow{a, t + 1, r + 1, seats[r][t][0], seats[r][t][1], 0, 0, 2 * r + 1, 2 * r + 2});
    }
    ResultRow lead = ResultRow::played(a, 1, 1, 1, 1, 2, QStringLiteral("4S"), N, 10);
    lead.leadCard = QStringLiteral("DQ");
    b.addResult(lead);
    b.addResult(ResultRow::played(a, 2, 1, 1, 3, 4, QStringLiteral("4S"), N, 11));
    ResultRow replaced = ResultRow::played(a, 3, 1, 1, 5, 6, QStringLiteral("4S"), N, 10);
    replaced.erased = true;
    b.addResult(replaced);
    b.addResult(withRemark(ResultRow::played(a, 3, 1, 1, 5, 6, {}, N, 0), QStringLiteral("NP")));

    b.addResult(ResultRow::played(a, 1, 1, 2, 1, 2, QStringLiteral("3NT"), N, 9));
    b.addResult(ResultRow::played(a, 2, 1, 2, 3, 4, QStringLiteral("3NT"), N, 8));
    b.addResult(withRemark(ResultRow::played(a, 3, 1, 2, 5, 6, {}, N, 0), QStringLiteral("60%-40%")));

    b.addResult(ResultRow::played(a, 1, 2, 3, 4, 1, QStringLiteral("2H"), S, 8));
    b.addResult(ResultRow::played(a, 2, 2, 3, 6, 3, QStringLiteral("2H"), S, 8));
    b.addResult(ResultRow::played(a, 3, 2, 3, 2, 5, QStringLiteral("3C"), E, 9));

    b.addResult(ResultRow::played(a, 1, 2, 4, 4, 1, QStringLiteral("1NT"), W, 7));
    b.addResult(ResultRow::played(a, 2, 2, 4, 6, 3, QStringLiteral("2S"), N, 7));
    b.addResult(ResultRow::played(a, 3, 2, 4, 2, 5, QStringLiteral("4HX"), E, 10));

    // Registered at the seats of round 2; pairs 5 and 6 are not.
    b.addRegisteredPlayer(a, 1, N, QStringLiteral("1001"), QStringLiteral("Dora Nagel"), 4);
    b.addRegisteredPlayer(a, 1, S, QStringLiteral("1002"), QStringLiteral("Emil Sand"), 4);
    b.addRegisteredPlayer(a, 1, E, QStringLiteral("1003"), QStringLiteral("Anna \"Ace\" Berg"), 1);
    b.addRegisteredPlayer(a, 1, W, QStringLiteral("1004"), QStringLiteral("Bo;Lind"), 1);
    b.addRegisteredPlayer(a, 2, E, QStringLiteral("1005"), QStringLiteral("Åsa Ström"), 3);
    b.addRegisteredPlayer(a, 2, W, QStringLiteral("1006"), QStringLiteral("Łukasz Wójcik"), 3);
    b.addRegisteredPlayer(a, 3, N, QStringLiteral("1007"), QStringLiteral("Cleo Hahn"), 2);
    b.addRegisteredPlayer(a, 3, S, QStringLiteral("1008"), QStringLiteral("Till Roth"), 2);
    return b;
}

EventBuilder twoWinners() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 3, 3, 1);
    addMitchellResults(b, a, false);
    b.addRegisteredPlayer(a, 1, N, QStringLiteral("2001"), QStringLiteral("Nina Nord"), 1);
    b.addRegisteredPlayer(a, 1, S, QStringLiteral("2002"), QStringLiteral("Sven Sud"), 1);
    b.addRegisteredPlayer(a, 2, E, QStringLiteral("2003"), QStringLiteral("Erik Ost"), 4);
    b.addRegisteredPlayer(a, 2, W, QStringLiteral("2004"), QStringLiteral("Wera West"), 4);
    b.addRegisteredPlayer(a, 2, N, QStringLiteral("2005"), QStringLiteral("Paul Zwei"), 2);
    return b;
}

EventBuilder acrossTheField() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 3, 3, 1);
    b.addMitchellMovement(bb, 3, 3, 1);
    addMitchellResults(b, a, false);
    addMitchellResults(b, bb, true);
    b.setOwnSetting(QStringLiteral("custom_qz_scoreacrosspair"), 1);
    return b;
}

EventBuilder individual() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addIndividualMovement(a, 3, 3, 1);
    b.setOwnSetting(QStringLiteral("custom_qz_gametype"), 1);
    auto seat = [&](int table, int round, int board, int n, int e, int s, int w, const char* contract,
                    const QString& declarer, int tricks) {
        ResultRow r =
            ResultRow::played(a, table, round, board, n, e, QString::fromLatin1(contract), declarer, tricks);
        r.south = s;
        r.west = w;
        return r;
    };
    b.addResult(seat(1, 1, 1, 1, 4, 7, 10, "4S", N, 10));
    b.addResult(seat(3, 2, 1, 3, 4, 8, 12, "4S", N, 11));
    b.addResult(seat(2, 3, 1, 2, 4, 9, 11, "4S", S, 9));
    b.addResult(seat(2, 1, 2, 2, 5, 8, 11, "2H", N, 8));
    b.addResult(seat(1, 2, 2, 1, 5, 9, 10, "3NT", E, 9));
    b.addResult(seat(3, 3, 2, 3, 5, 7, 12, "2H", N, 9));
    b.addResult(seat(3, 1, 3, 3, 6, 9, 12, "1NT", S, 7));
    b.addResult(withRemark(seat(2, 2, 3, 2, 6, 7, 11, "", N, 0), QStringLiteral("NP")));
    b.addResult(seat(1, 3, 3, 1, 6, 8, 10, "2S", W, 8));
    // Registered at the seats of round 3; players 5, 7 and 12 are not.
    b.addRegisteredPlayer(a, 1, N, QStringLiteral("3001"), QStringLiteral("Ida Eins"), 1);
    b.addRegisteredPlayer(a, 1, E, QStringLiteral("3006"), QStringLiteral("Olaf Sechs"), 6);
    b.addRegisteredPlayer(a, 1, S, QStringLiteral("3008"), QStringLiteral("Uta Acht"), 8);
    b.addRegisteredPlayer(a, 1, W, QStringLiteral("3010"), QStringLiteral("Karl Zehn"), 10);
    b.addRegisteredPlayer(a, 2, N, QStringLiteral("3002"), QStringLiteral("Lea Zwei"), 2);
    b.addRegisteredPlayer(a, 2, E, QStringLiteral("3004"), QStringLiteral("Max Vier"), 4);
    b.addRegisteredPlayer(a, 2, S, QStringLiteral("3009"), QStringLiteral("Nele Neun"), 9);
    b.addRegisteredPlayer(a, 2, W, QStringLiteral("3011"), QStringLiteral("Otto Elf"), 11);
    b.addRegisteredPlayer(a, 3, N, QStringLiteral("3003"), QStringLiteral("Pia Drei"), 3);
    return b;
}

} // namespace qzc::test::events
