#include "support/Fixtures.h"

namespace qzc::test::fixtures {

EventBuilder mitchell() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 7, 7, 3);
    // Round 1: table 1 plays boards 1-3 (NS 1, EW 8), table 2 boards 4-6 (NS 2, EW 9).
    b.addResult(ResultRow::played(a, 1, 1, 1, 1, 8, QStringLiteral("4S"), QStringLiteral("N"), 11));
    b.addResult(ResultRow::played(a, 1, 1, 2, 1, 8, QStringLiteral("3NT"), QStringLiteral("E"), 9));
    b.addResult(ResultRow::played(a, 2, 1, 4, 2, 9, QStringLiteral("2HX"), QStringLiteral("S"), 7));
    return b;
}

EventBuilder howell() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addHowellMovement(a, 10, 9, 2);
    return b;
}

EventBuilder twoSections() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 6, 5, 3);
    b.addMitchellMovement(bb, 6, 5, 3);
    b.addResult(ResultRow::played(bb, 3, 1, 7, 3, 9, QStringLiteral("6HXX"), QStringLiteral("W"), 12));
    return b;
}

EventBuilder individual() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addIndividualMovement(a, 5, 4, 2);
    b.setOwnSetting(QStringLiteral("custom_qz_gametype"), 1);
    // Round 1 at table 1: North 1, East 6, South 11, West 16 on boards 1-2.
    ResultRow r = ResultRow::played(a, 1, 1, 1, 1, 6, QStringLiteral("1NT"), QStringLiteral("S"), 8);
    r.south = 11;
    r.west = 16;
    b.addResult(r);
    return b;
}

EventBuilder bandedPairs() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 10, 3, 2, PairNumbering{1, 101});
    b.addMitchellMovement(bb, 10, 3, 2, PairNumbering{201, 301});
    return b;
}

EventBuilder pairAbove255() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 10, 3, 2, PairNumbering{1, 250});
    return b;
}

EventBuilder multiStanza() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 7, 6, 3);
    b.setStanza(a, 1, 3);
    b.setUpdateFromRound(a, 2, 4);
    b.setUpdateFromRound(a, 5, 4);
    for (int t = 1; t <= 7; ++t)
        b.addTerminal(100 + t, a, t);
    return b;
}

EventBuilder withoutOwnSchema() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 5, 5, 4);
    b.withoutOwnSchema();
    ResultRow r = ResultRow::played(a, 1, 1, 1, 1, 6, QStringLiteral("3NT"), QStringLiteral("N"), 10);
    r.score.reset();
    r.qzDeclarer = QVariant();
    b.addResult(r);
    return b;
}

EventBuilder withoutClients() {
    EventBuilder b = mitchell();
    b.withoutTable(QStringLiteral("Clients"));
    return b;
}

EventBuilder settingsWithoutColumn() {
    EventBuilder b = mitchell();
    b.withoutSettingsColumn(QStringLiteral("BM2Ranking"));
    return b;
}

EventBuilder withoutOptionalTables() {
    EventBuilder b = mitchell();
    b.withoutTable(QStringLiteral("Settings"));
    b.withoutTable(QStringLiteral("HandRecord"));
    b.withoutTable(QStringLiteral("PlayerNames"));
    b.withoutTable(QStringLiteral("BiddingData"));
    b.withoutTable(QStringLiteral("PlayData"));
    return b;
}

EventBuilder resultsNeedingRepair() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.addMitchellMovement(a, 5, 5, 4);
    auto unrepaired = [](ResultRow r, std::optional<int> score) {
        r.score = score;
        r.qzDeclarer = QVariant();
        return r;
    };
    // Board 1 (nobody vulnerable): 4S by North, 11 tricks, score 0 and no own declarer.
    b.addResult(
        unrepaired(ResultRow::played(a, 1, 1, 1, 1, 6, QStringLiteral("4S"), QStringLiteral("N"), 11), 0));
    // Board 2 (NS vulnerable): 3NT by East, 9 tricks, score Null.
    b.addResult(
        unrepaired(ResultRow::played(a, 1, 1, 2, 1, 6, QStringLiteral("3NT"), QStringLiteral("E"), 9), {}));
    // Board 3 (EW vulnerable): 4S doubled by West, two down.
    b.addResult(
        unrepaired(ResultRow::played(a, 1, 1, 3, 1, 6, QStringLiteral("4SX"), QStringLiteral("W"), 8), {}));
    // Board 5: a remark ("NP") with a declarer letter: no score however the contract reads.
    ResultRow notPlayed =
        unrepaired(ResultRow::played(a, 2, 1, 5, 2, 7, QStringLiteral("2H"), QStringLiteral("S"), 8), {});
    notPlayed.remarks = QStringLiteral("NP");
    b.addResult(notPlayed);
    // Board 6: passed out, stored with a trailing blank, no declarer, score Null.
    ResultRow passed;
    passed.section = a;
    passed.table = 2;
    passed.round = 1;
    passed.board = 6;
    passed.pairNs = 2;
    passed.pairEw = 7;
    passed.contract = QStringLiteral("PASS ");
    passed.nsEw = QString();
    passed.result = QString();
    passed.remarks = QString();
    b.addResult(passed);
    // Board 7: already repaired; must stay as it is.
    b.addResult(ResultRow::played(a, 2, 1, 7, 2, 7, QStringLiteral("4H"), QStringLiteral("N"), 10));
    return b;
}

EventBuilder withoutTables() {
    EventBuilder b;
    b.addSection(QStringLiteral("A"));
    return b;
}

EventBuilder withoutSections() {
    return EventBuilder();
}

EventBuilder clubEvening() {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    const int bb = b.addSection(QStringLiteral("B"));
    b.addMitchellMovement(a, 6, 5, 3);
    b.addMitchellMovement(bb, 6, 5, 3);
    const char* const first[] = {"Alma", "Bruno", "Carla", "Dirk", "Edda", "Fritz", "Greta", "Hugo",
                                 "Ines", "Jonas", "Klara", "Lenz", "Mona", "Nils",  "Olga",  "Paul",
                                 "Rita", "Sven",  "Tilda", "Udo",  "Vera", "Willi", "Xenia", "Yann"};
    const char* const last[] = {"Amsel", "Birke", "Eiche", "Fink"};
    qint64 member = 20100;
    for (const char* l : last) {
        for (const char* f : first)
            b.addPlayerName(++member, QLatin1String(f) + QLatin1Char(' ') + QLatin1String(l));
    }
    return b;
}

const std::vector<NamedFixture>& all() {
    static const std::vector<NamedFixture> fixtures = {
        {"mitchell", mitchell},
        {"howell", howell},
        {"twoSections", twoSections},
        {"individual", individual},
        {"bandedPairs", bandedPairs},
        {"pairAbove255", pairAbove255},
        {"multiStanza", multiStanza},
        {"withoutOwnSchema", withoutOwnSchema},
        {"withoutClients", withoutClients},
        {"settingsWithoutColumn", settingsWithoutColumn},
        {"withoutOptionalTables", withoutOptionalTables},
        {"resultsNeedingRepair", resultsNeedingRepair},
        {"withoutTables", withoutTables},
        {"withoutSections", withoutSections},
        {"clubEvening", clubEvening},
    };
    return fixtures;
}

} // namespace qzc::test::fixtures
