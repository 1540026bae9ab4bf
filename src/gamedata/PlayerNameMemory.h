#pragma once

#include "core/Log.h"

#include <QString>
#include <algorithm>
#include <functional>

namespace qzc {

/// The most player names held in memory.
inline constexpr qsizetype maxPlayerNames = 500000;

/// Merges the names read from the names file into the names of the score database, so that
/// the terminals' name look-ups search one list sorted by number.
///
/// playerNameList holds the database's names (sorted by number) and becomes the merged
/// list; fileNameList holds the names file's entries. Entries are records with the members
/// number and name; only those two are copied from the file entries. With the list full
/// already nothing changes; file entries beyond the room left are dropped. After a merge
/// the list is sorted by number (entries of equal number keep their order) and
/// timeSearchPlayer times sample look-ups on it: when they are too slow the list is emptied.
/// The counts go to the log.
template <typename List>
void Setup_memoryPlayerName(List& playerNameList, const List& fileNameList, Log& log,
                            const std::function<bool()>& timeSearchPlayer) {
    const qsizetype fromDatabase = static_cast<qsizetype>(playerNameList.size());
    qsizetype fromFile = static_cast<qsizetype>(fileNameList.size());
    log.writeLog(0, QStringLiteral("Player name list from database: ") + QString::number(fromDatabase));
    log.writeLog(0, QStringLiteral("Player name list from file: ") + QString::number(fromFile));
    if (fromDatabase >= maxPlayerNames)
        return;
    if (fromDatabase + fromFile > maxPlayerNames)
        fromFile = maxPlayerNames - fromDatabase;
    if (fromFile > 0) {
        log.writeLog(0, QStringLiteral("Merge player name list from database and file"));
        playerNameList.resize(fromDatabase + fromFile);
        for (qsizetype i = 0; i < fromFile; ++i) {
            auto& entry = playerNameList[fromDatabase + i];
            entry = {};
            entry.number = fileNameList[i].number;
            entry.name = fileNameList[i].name;
        }
        log.writeLog(0, QStringLiteral("Sorting player name by QuickSort"));
        // A stable sort of the whole list, done as a merge of its two sorted parts.
        const auto byNumber = [](const auto& a, const auto& b) {
            return a.number < b.number;
        };
        const auto middle = playerNameList.begin() + fromDatabase;
        if (!std::is_sorted(playerNameList.begin(), middle, byNumber))
            std::stable_sort(playerNameList.begin(), middle, byNumber);
        std::stable_sort(middle, playerNameList.end(), byNumber);
        std::inplace_merge(playerNameList.begin(), middle, playerNameList.end(), byNumber);
        log.writeLog(0, QStringLiteral("Checking name search performance"));
        if (!timeSearchPlayer())
            playerNameList.clear();
    }
    log.writeLog(0, QStringLiteral("Player name list in memory: ") +
                        QString::number(static_cast<qsizetype>(playerNameList.size())));
}

} // namespace qzc
