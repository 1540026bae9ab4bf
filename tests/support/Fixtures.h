#pragma once

#include "support/EventBuilder.h"

#include <functional>
#include <vector>

namespace qzc::test::fixtures {

/// Section A, 7 tables, 7 rounds of 3 boards, a few results stored.
EventBuilder mitchell();
/// Section A, 10 pairs on 5 tables, 9 rounds of 2 boards; pairs change direction.
EventBuilder howell();
/// Sections A and B, 6 Mitchell tables each, 5 rounds of 3 boards.
EventBuilder twoSections();
/// An individual game: 5 tables, 4 players each (South and West used), 4 rounds of 2 boards.
EventBuilder individual();
/// Team-game pair numbers in hundreds bands: 1-10 and 101-110 in section A, 201-210 and
/// 301-310 in section B.
EventBuilder bandedPairs();
/// An ordinary Mitchell whose EW pairs are numbered up to 259.
EventBuilder pairAbove255();
/// A section played in stanzas: rounds 1-3 done, rounds 4-6 next; the scoring program
/// changed the movement from round 4 at two tables.
EventBuilder multiStanza();
/// A Mitchell event as an older program or a fresh scoring program leaves it: no own
/// tables and no own columns.
EventBuilder withoutOwnSchema();
/// The required Clients table is missing.
EventBuilder withoutClients();
/// The scoring program's Settings table lacks the column BM2Ranking.
EventBuilder settingsWithoutColumn();
/// Without the optional Settings, HandRecord, PlayerNames, BiddingData and PlayData tables.
EventBuilder withoutOptionalTables();
/// Stored results whose own declarer and score must be repaired at start-up, a passed
/// board stored as "PASS " (with a trailing blank) among them.
EventBuilder resultsNeedingRepair();
/// Sections but no Tables rows.
EventBuilder withoutTables();
/// No section at all.
EventBuilder withoutSections();
/// A club evening: sections A and B of 6 tables each, 5 rounds of 3 boards, the
/// players' names; the sample event that the program is started on.
EventBuilder clubEvening();

struct NamedFixture {
    const char* name;
    std::function<EventBuilder()> make;
};

/// Every fixture above, by name.
const std::vector<NamedFixture>& all();

} // namespace qzc::test::fixtures
