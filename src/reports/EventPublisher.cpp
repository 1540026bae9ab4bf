#include "reports/EventPublisher.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "gamedata/GameData.h"

#include <algorithm>
#include <tuple>

namespace qzc {

ResultFileGameData resultFileGameData(const GameData& gameData, const EventInfo& event) {
    ResultFileGameData game;
    for (const SectionRecord& section : gameData.sectionList())
        game.sections.push_back({section.ID, section.Letter, section.separatePairs});
    for (const MovementRow& row : gameData.movementRows())
        game.movementRows.push_back(
            {row.Section, row.Table, row.Round, static_cast<qint16>(row.boards.size())});
    std::stable_sort(game.sections.begin(), game.sections.end(),
                     [](const ResultFileSection& a, const ResultFileSection& b) { return a.id < b.id; });
    std::stable_sort(game.movementRows.begin(), game.movementRows.end(),
                     [](const ResultFileMovementRow& a, const ResultFileMovementRow& b) {
                         return std::tie(a.section, a.table, a.round) < std::tie(b.section, b.table, b.round);
                     });
    game.boardsPerRound = event.boardsPerRound;
    game.totalBoards = event.totalBoards;
    return game;
}

EventPublisher::EventPublisher(ScoreDb& db, const GameSettings& settings, Log& log, MessageBox& messages,
                               ProgramLauncher& launcher, const GameData& gameData, const EventInfo& event,
                               const Config& config)
    : gameData_(gameData), event_(event), config_(config), frequencies_(db, log, settings),
      resultFile_(db, settings, log, frequencies_), publishing_(resultFile_, log, messages, launcher),
      dealPrograms_(log, launcher) {}

WebPublishingPaths EventPublisher::paths() const {
    return {event_.eventDataPath, config_.orvFolder, config_.eventsFolder, event_.eventName};
}

bool EventPublisher::mnu_makeresultfile_Click() {
    return publishing_.mnu_makeresultfile_Click(paths(), resultFileGameData(gameData_, event_));
}

ResultFileOutcome EventPublisher::makeresultFile_v1() {
    return resultFile_.makeresultFile_v1(event_.eventDataPath, resultFileGameData(gameData_, event_));
}

ProgramStart EventPublisher::startDealProgram(bool handRecordProgram) {
    makeresultFile_v1();
    return dealPrograms_.Execute_AllDeal(handRecordProgram,
                                         {config_.qzcPath, event_.kestrowProgram, event_.handrecordsProgram,
                                          event_.eventName, config_.eventsFolder});
}

ProgramStart EventPublisher::showAllDeals() {
    return startDealProgram(false);
}

ProgramStart EventPublisher::handRecords() {
    return startDealProgram(true);
}

} // namespace qzc
