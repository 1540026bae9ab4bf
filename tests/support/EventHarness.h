#pragma once

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "support/FakeClock.h"
#include "support/LogLines.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempFolder.h"

#include <QStringList>
#include <memory>

namespace qzc::test {

class EventBuilder;

/// The objects the program builds at start, around a temporary program folder and a
/// fixture event: configuration, log, score database, settings store, message box.
class EventHarness {
public:
    /// A new temporary program folder, removed with the harness.
    EventHarness();
    /// Another start of the program in the folder of an earlier harness (which must live
    /// longer than this one).
    explicit EventHarness(const QString& programFolder);

    /// A file in the program folder.
    QString filePath(const QString& name) const { return appFolder + name; }

    /// Builds the event into the program folder; its path, or "" when the build failed.
    QString build(EventBuilder& builder, const QString& fileName = QStringLiteral("club.db"));
    /// Writes a key of the ini file's defaults section before the start.
    void setDefault(const QString& key, const QString& value);
    /// Reads the configuration from commandLine and runs the start-up sequence.
    bool start(const QString& commandLine);
    /// build, then start with "/f:" and the file.
    bool buildAndStart(EventBuilder& builder, const QString& fileName = QStringLiteral("club.db"));

    /// Every log line written to the file or still buffered, each without its time stamp
    /// (a plain message without its ": " too); the flush marker lines left out.
    QStringList logMessages() const;
    /// The text of the event's log file as written so far.
    QString logFileText() const;

private:
    std::unique_ptr<TempFolder> ownFolder_;

public:
    /// The program folder, ending with "/".
    const QString appFolder;
    FakeClock clock;
    Config config;
    Log log;
    ScoreDb db;
    GameSettings settings;
    ScriptedMessageBox messages;
    EventInfo event;
};

} // namespace qzc::test
