#pragma once

#include "reports/CompanionPrograms.h"
#include "reports/ResultFile.h"
#include "reports/ResultFileGameData.h"
#include "reports/WebPublishing.h"
#include "scoring/ScoreFrequency.h"

namespace qzc {

class Config;
class GameData;
class GameSettings;
class Log;
class MessageBox;
class ProgramLauncher;
class ScoreDb;
struct EventInfo;

/// The game data in memory as the result files take it.
ResultFileGameData resultFileGameData(const GameData& gameData, const EventInfo& event);

/// The event's web publishing: the result file from the game data in memory, then the
/// upload program. Used by the "Web publishing" menu item and by the exit path; and the
/// same result file for the companion scoring program that shows all deals.
class EventPublisher {
public:
    EventPublisher(ScoreDb& db, const GameSettings& settings, Log& log, MessageBox& messages,
                   ProgramLauncher& launcher, const GameData& gameData, const EventInfo& event,
                   const Config& config);

    /// Where the command writes and what it starts.
    WebPublishingPaths paths() const;
    /// Writes "results.txt" and starts the upload program; true when it was started.
    bool mnu_makeresultfile_Click();
    /// Writes "results.txt" alone, for the companion programs that read it.
    ResultFileOutcome makeresultFile_v1();
    /// "Show all deals": writes "results.txt", then starts the companion scoring program
    /// on the event; what to tell the director when it did not start.
    ProgramStart showAllDeals();
    /// "Hand Records": writes "results.txt", then starts the hand-record program on the
    /// event; what to tell the director when it did not start.
    ProgramStart handRecords();

private:
    /// Writes "results.txt", then starts the hand-record program or Kestrow.
    ProgramStart startDealProgram(bool handRecordProgram);

    const GameData& gameData_;
    const EventInfo& event_;
    const Config& config_;
    ScoreFrequency frequencies_;
    ResultFile resultFile_;
    WebPublishing publishing_;
    DealPrograms dealPrograms_;
};

} // namespace qzc
