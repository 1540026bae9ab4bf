#include "gamedata/GameData.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "core/SectionLetters.h"
#include "gamedata/FieldValues.h"

#include <QSqlQuery>

namespace qzc {

namespace {

quint32 roundKey(qint16 sectionId, qint16 round) {
    return (static_cast<quint32>(static_cast<quint16>(sectionId)) << 16) | static_cast<quint16>(round);
}

QString tableKey(const QString& letters, qint16 table) {
    return letters + QLatin1Char('|') + QString::number(table);
}

} // namespace

GameData::GameData(ScoreDb& db, Log& log, const GameSettings& settings, const EventInfo& event,
                   const Clock& clock)
    : db_(db), log_(log), settings_(settings), event_(event), clock_(clock), terminalRows_(db),
      progress_(db) {}

bool GameData::isIndividualGame() const {
    return StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;
}

bool GameData::seatsFourPlayers(qint16 sectionId) const {
    return isIndividualGame() && (movementSeats_.namingSouthWest.contains(sectionId) ||
                                  !movementSeats_.withMovement.contains(sectionId));
}

bool GameData::eventSeatsFourPlayers() const {
    return isIndividualGame() &&
           (!movementSeats_.namingSouthWest.isEmpty() || movementSeats_.withMovement.isEmpty());
}

void GameData::MovementSeats::add(qint16 sectionId, qint16 south, qint16 west) {
    withMovement.insert(sectionId);
    if (south > 0 || west > 0)
        namingSouthWest.insert(sectionId);
}

std::optional<GameData::MovementSeats> GameData::readMovementSeats() const {
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT Section, MAX(South), MAX(West) FROM RoundData GROUP BY Section"));
    if (!query)
        return std::nullopt;
    MovementSeats seats;
    while (query->next()) {
        seats.add(fields::toInt16(query->value(0)).value_or(0), fields::toInt16(query->value(1)).value_or(0),
                  fields::toInt16(query->value(2)).value_or(0));
    }
    return seats;
}

const SectionRecord* GameData::findSection(qint16 sectionId) const {
    for (const SectionRecord& section : sections_) {
        if (section.ID == sectionId)
            return &section;
    }
    return nullptr;
}

void GameData::logDbError(const QString& source) const {
    log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), source, true);
}

// The rows of one section, of one round of a section and of one table are found through
// these indexes; each keeps the order of movementRows, so the first match is the one a scan
// from the first row would find.
void GameData::indexRows() {
    sectionRanges_.clear();
    roundIndex_.clear();
    tableIndex_.clear();
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const MovementRow& row = rows_[static_cast<std::size_t>(i)];
        auto range = sectionRanges_.find(row.Section);
        if (range == sectionRanges_.end())
            sectionRanges_.insert(row.Section, RowRange{i, i + 1});
        else
            range->end = i + 1;
        roundIndex_[roundKey(row.Section, row.Round)].push_back(i);
        tableIndex_[tableKey(row.Letter, row.Table)].push_back(i);
    }
}

GameData::RowRange GameData::sectionRows(qint16 sectionId) const {
    return sectionRanges_.value(sectionId, RowRange{});
}

const std::vector<int>* GameData::roundRows(qint16 sectionId, qint16 round) const {
    const auto found = roundIndex_.constFind(roundKey(sectionId, round));
    return found == roundIndex_.constEnd() ? nullptr : &found.value();
}

const std::vector<int>* GameData::tableRows(const QString& tableId) const {
    const auto found = tableIndex_.constFind(tableKey(tableIdLetter(tableId), tableIdNumber(tableId)));
    return found == tableIndex_.constEnd() ? nullptr : &found.value();
}

QString GameData::sqlSectionTable(const QString& tableId) const {
    return QStringLiteral("Section=") + QString::number(getSectionID(tableIdLetter(tableId))) +
           QStringLiteral(" AND [Table]=") + QString::number(tableIdNumber(tableId));
}

} // namespace qzc
