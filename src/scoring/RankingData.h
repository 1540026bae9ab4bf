#pragma once

#include "scoring/PairScore.h"
#include "scoring/ScoredBoardCache.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace qzc {

class GameSettings;
class Log;
class ScoreDb;
class ScoredBoardSource;
struct EventInfo;

/// The section a terminal asks the ranking of, and the sections loaded.
struct RankingField {
    /// The requesting table's section ID (0 when its letters name none).
    qint16 sectionId = 0;
    /// The section's pairs keep their direction all game: NS and EW are ranked apart.
    bool separatePairs = false;
    /// The letters of every section in memory by ID. With more than one section and boards
    /// scored across the field, each entry tells its contestant's section.
    QHash<qint16, QString> sectionLetters;
};

/// The ranking the terminals show (reply 57): the contestants best first, three bytes each.
/// The ranking itself, its scoring and its top-N cut are calcPairScore's.
class RankingData {
public:
    /// Most entries of one ranking reply.
    static constexpr int maxEntries = 495;
    /// Most North-South entries: their number goes out in one byte.
    static constexpr int maxNorthSouthEntries = 255;

    /// event gives the banded pair numbering, read at each call.
    RankingData(ScoreDb& db, const GameSettings& settings, Log& log, const EventInfo& event,
                ScoredBoardSource& boards);

    /// The payload of reply 57: the number of North-South entries, then, for separate pairs,
    /// the North-South ranking followed by the East-West one, else the one ranking of all
    /// (the number 0). At most maxNorthSouthEntries North-South entries and maxEntries in
    /// all, cut with a log line. Nothing when the ranking cannot be read (logged).
    std::optional<QByteArray> rankingReply(const RankingField& field);

private:
    /// The contestants of the field's section (or of the whole field) on side, up to round
    /// (0: all), cut to the setting custom_qz_topranking when it is below 99: per contestant
    /// the section byte (the alphabet position of its section's first letter across a field
    /// of several sections, else 0), the number as the terminals number it and the
    /// percentage rounded half to even. At most limit entries; a contestant whose number
    /// does not fit a byte is left out. Both are logged. One byte 0 when nobody has a board
    /// scored; nothing when the ranking cannot be read (logged).
    std::optional<QByteArray> getRankingData(const RankingField& field, RankingSide side, qint16 round,
                                             int limit);

    const GameSettings& settings_;
    Log& log_;
    const EventInfo& event_;
    /// Boards valued once for both rankings of a request.
    ScoredBoardCache boards_;
    PairRanking ranking_;
};

} // namespace qzc
