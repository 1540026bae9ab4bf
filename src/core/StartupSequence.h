#pragma once

#include <QString>

namespace qzc {

class Config;
class GameSettings;
class Log;
class MessageBox;
class ScoreDb;
struct EventInfo;

/// The start-up from the score database to the loaded game settings: open, check,
/// integrate and repair the database, then fill the settings store (defaults from the ini
/// file, the event's own row, the scoring program's row, the override on a new event) and
/// restore the event's board counts. The configuration must have been read.
class StartupSequence {
public:
    static inline const QString failureMessage =
        QStringLiteral("Failed to integrate score database file. Please check.");

    StartupSequence(const Config& config, Log& log, ScoreDb& db, GameSettings& settings, MessageBox& messages,
                    EventInfo& event, QString commandLine)
        : config_(config), log_(log), db_(db), settings_(settings), messages_(messages), event_(event),
          commandLine_(std::move(commandLine)) {}

    /// True when the program may go on. On failure the director has been told why (the
    /// reason as the second line under failureMessage) and the connection is closed; the
    /// log lines have reached the event's log file when it existed before this start, and
    /// a log file this start created is removed. The caller then ends the program.
    bool run();

private:
    void loadGameSettings();
    void restoreBoardCounts();

    const Config& config_;
    Log& log_;
    ScoreDb& db_;
    GameSettings& settings_;
    MessageBox& messages_;
    EventInfo& event_;
    QString commandLine_;
};

} // namespace qzc
