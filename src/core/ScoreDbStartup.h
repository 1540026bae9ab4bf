#pragma once

#include <QString>

namespace qzc {

class Config;
class Log;
class MessageBox;
class ScoreDb;
struct EventInfo;

/// Turns the configuration into an open, checked and repaired score database: fixes the
/// event's file and folder names, decides whether the event is new, writes the start-up
/// block of the log, opens the database, checks and integrates its structure, checks and
/// repairs its data.
class ScoreDbStartup {
public:
    ScoreDbStartup(const Config& config, Log& log, ScoreDb& db, MessageBox& messages, EventInfo& event,
                   QString commandLine)
        : config_(config), log_(log), db_(db), messages_(messages), event_(event),
          commandLine_(std::move(commandLine)) {}

    /// True when the database is open, checked, integrated, verified and repaired; the
    /// connection then stays open. Each failure has logged its reason. Nothing is written
    /// to the file before its structure has been checked.
    bool DB_Initialize();

    /// Why DB_Initialize failed, in one line for the director; empty after a success.
    const QString& failureReason() const { return failureReason_; }

private:
    void fixEventNames();
    void fixEventFolders();
    void logStartupBlock();
    bool fail(const QString& reason);

    const Config& config_;
    Log& log_;
    ScoreDb& db_;
    MessageBox& messages_;
    EventInfo& event_;
    QString commandLine_;
    QString failureReason_;
};

} // namespace qzc
