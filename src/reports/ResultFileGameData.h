#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace qzc {

/// One section of the event as the result file needs it.
struct ResultFileSection {
    qint16 id = 0;
    QString letter;
    /// No pair number plays both North-South and East-West (a two-winner section).
    bool separateNsEw = false;
};

/// One movement row as the result file needs it.
struct ResultFileMovementRow {
    qint16 section = 0;
    qint16 table = 0;
    qint16 round = 0;
    /// How many boards the table plays in the round.
    qint16 boardCount = 0;
};

/// What the result files take of the game data in memory: the sections, the movement and
/// the event's board counts.
struct ResultFileGameData {
    /// In ascending section ID.
    std::vector<ResultFileSection> sections;
    /// By section, table and round; empty when no movement is loaded.
    std::vector<ResultFileMovementRow> movementRows;
    /// The event's boards per round and total boards, used while no movement is loaded.
    qint16 boardsPerRound = 0;
    qint16 totalBoards = 0;

    /// The section's letters; empty for a section not in the list.
    QString sectionLetter(qint16 id) const {
        const ResultFileSection* section = find(id);
        return section == nullptr ? QString() : section->letter;
    }
    /// The section's separate North-South/East-West flag; false for a section not in the list.
    bool separateNsEw(qint16 id) const {
        const ResultFileSection* section = find(id);
        return section != nullptr && section->separateNsEw;
    }

private:
    const ResultFileSection* find(qint16 id) const {
        for (const ResultFileSection& section : sections) {
            if (section.id == id)
                return &section;
        }
        return nullptr;
    }
};

} // namespace qzc
