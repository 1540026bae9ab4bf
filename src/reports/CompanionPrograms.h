#pragma once

#include <QString>
#include <QStringList>

namespace qzc {

class Log;
class ProgramLauncher;

/// The arguments every companion program is started with: "Event=" and the event name,
/// "Session=1", and "ORV=" and the companion programs' events folder without its trailing
/// separator.
QStringList companionArguments(const QString& eventName, const QString& orvEventsFolder);

/// What the deal programs need to know to start.
struct DealProgramPaths {
    /// The all-deal file (registry value QZCPath); empty when none is named.
    QString qzcPath;
    QString kestrowProgram;
    QString handrecordsProgram;
    QString eventName;
    /// Ends with "/".
    QString orvEventsFolder;
};

/// Whether a companion program was started, and what to tell the director when it was not
/// (empty: nothing).
struct ProgramStart {
    bool started = false;
    QString message;
};

/// Starts the companion programs that show or print every deal of the event: the
/// hand-record program or the companion scoring program Kestrow. They run on their own and
/// are never waited for.
class DealPrograms {
public:
    DealPrograms(Log& log, ProgramLauncher& launcher);

    /// Starts the hand-record program (true) or Kestrow (false) with the event's arguments;
    /// nothing starts without an all-deal file named or without the program.
    ProgramStart Execute_AllDeal(bool useHandRecordProgram, const DealProgramPaths& paths);

private:
    Log& log_;
    ProgramLauncher& launcher_;
};

} // namespace qzc
