#pragma once

#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "reports/ResultFileGameData.h"
#include "scoring/ScoreFrequency.h"
#include "support/EventBuilder.h"
#include "support/FakeClock.h"
#include "support/LogLines.h"
#include "support/TempFolder.h"

#include <QString>

namespace qzc::test {

/// The sections and movement of an open score database as the game data in memory holds
/// them: sections by ID (two-winner when no pair number is both an NS and an EW pair),
/// movement rows by section, table and round.
ResultFileGameData loadResultFileGameData(ScoreDb& db);

/// An event built by the EventBuilder in a temporary folder and opened, with a settings
/// store and the program's board valuer: what the ranking and the result files run on.
class ScoringEvent {
public:
    ScoringEvent();

    /// Builds and opens the event with the program's indexes; false with error() set when
    /// that fails.
    bool open(EventBuilder& builder);
    const QString& error() const { return error_; }

    /// Sets a setting of the current game settings store.
    void set(const QString& name, const QString& value) { settings.setGameSetting(name, value); }

    ResultFileGameData gameData() { return loadResultFileGameData(db); }

    /// The log's buffered lines, each without its time stamp.
    QStringList logLines() const { return logMessages(log); }

    TempFolder folder;
    FakeClock clock;
    Log log{clock};
    ScoreDb db{log, clock};
    GameSettings settings{log};
    EventInfo event;
    ScoreFrequency boards{db, log, settings};

private:
    QString error_;
};

} // namespace qzc::test
