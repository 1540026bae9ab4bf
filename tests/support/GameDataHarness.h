#pragma once

#include "gamedata/GameData.h"
#include "support/EventHarness.h"

#include <QString>
#include <QVariant>

namespace qzc::test {

class EventBuilder;

/// A started program around a fixture event with its game data: the start-up sequence has
/// run and sections, movement and movement blocks are in memory.
class GameDataHarness {
public:
    GameDataHarness() : gameData(harness.db, harness.log, harness.settings, harness.event, harness.clock) {}

    /// Builds the event, runs the start-up and loads the game data; false (with the reason
    /// in failure()) when any of it fails.
    bool start(EventBuilder& builder);
    /// loadsectiondata, loadrounddata and preloadMovementMessage, as every reload runs them.
    void reload();
    /// An individual game (custom_qz_gametype 1) or a pairs game, from now on.
    void setIndividual(bool individual);
    void setSetting(const QString& name, const QString& value);

    /// Runs a statement on the event's database; false when it fails.
    bool exec(const QString& sql);
    /// The first column of the first row of sql; invalid when there is no row.
    QVariant value(const QString& sql);
    /// Log lines written since the harness started, without time stamps.
    QStringList logMessages() const { return harness.logMessages(); }

    const QString& failure() const { return failure_; }

    EventHarness harness;
    GameData gameData;

private:
    QString failure_;
};

} // namespace qzc::test
