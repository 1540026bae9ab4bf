#pragma once

#include "gamedata/PlayerNames.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

namespace qzc {

class Config;
class Log;
class ScoreDb;
struct EventInfo;

/// The player editing grid after a search.
struct NameGridFill {
    /// Most matches the grid shows.
    static constexpr int maxRows = 69999;

    /// One row per match: "Index" (the record's position in the list, from 1), "Table",
    /// "Pair", "Member ID", "Name".
    std::vector<std::array<QString, 5>> rows;
    /// The column to select: the first searched column, else the column the grid is sorted by.
    int markedColumn = 1;
    /// More records matched than the grid shows ("Only first 69999 names shown").
    bool limitReached = false;
};

/// What the name editing dialog shows to change one member number or one name.
struct NameChangePrompt {
    /// Position of the record in the list, from 1.
    qint32 rowIndex = 0;
    /// The record as it was when pressed. The change goes to its seat (section, table and
    /// direction): the list may be rebuilt for another round before Yes is pressed.
    PlayerNameRecord seat;
    /// "ID" or "NAME": what the dialog's OK changes.
    QString mode;
    QString caption;
    /// The entry box's text, selected whole.
    QString value;
    QString message;
    /// Note under the entry box (name change) and words left and right of it (ID change);
    /// empty when not shown.
    QString labelBelow;
    QString labelLeft;
    QString labelRight;
    qint16 helpTopic = 0;
};

/// Upkeep of the registered players' names: names for seats that show only their number, the
/// printed name list, and the search and change prompts of the player editing dialog.
class NameMaintenance {
public:
    NameMaintenance(PlayerNames& names, ScoreDb& db, Log& log, const EventInfo& event, const Config& config)
        : names_(names), db_(db), log_(log), event_(event), config_(config) {}

    /// Gives every seat of PlayerNumbers whose name is still its member number the name of
    /// that number among the known players (shortened to 20 characters), then reloads the
    /// registered names when a seat changed. Run at game start, not while the automatic
    /// base-station reset restarts the game.
    void updatePlayerNames();

    /// The printed name list (player_name.txt): one line per registered player, with
    /// NameListSorting the number dotted to 13 characters and the name, sorted by number;
    /// otherwise the name dotted to 21 characters and the number, sorted by name. A name's
    /// line breaks and double quotes are not written (see lineFieldText). Empty when nobody
    /// is registered.
    QString namesListText() const;

    /// The records of list that match every non-empty search text (0 Table: the table label
    /// begins with it; 1 Pair: the pair number, the seat letters, or both as "NS 5"; 2 Member
    /// ID: the number begins with it; 3 Name: the name contains it; letters compared in upper
    /// case, blanks around a text ignored), in list order.
    static NameGridFill searchPlayerName(const std::vector<PlayerNameRecord>& list,
                                         const std::array<QString, 4>& searchTexts, qint16 nameGridSortKey);

    /// The name editing dialog for record rowIndex (from 1) of list: a change of its member
    /// number (changeId) or of its name; nothing for an index outside the list.
    static std::optional<NameChangePrompt>
    confirmPlayerChange(qint32 rowIndex, const std::vector<PlayerNameRecord>& list, bool changeId);

private:
    PlayerNames& names_;
    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    const Config& config_;
};

} // namespace qzc
