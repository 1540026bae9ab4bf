#pragma once

#include "scoring/PairScore.h"

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
    /// The letters of every section in memory by ID. With more than one section and boards
    /// scored across the field, each entry tells its contestant's section.
    QHash<qint16, QString> sectionLetters;
};

/// The ranking entries the terminals show (reply 57): the contestants best first, three
/// bytes each. The ranking itself, its scoring and its top-N cut are calcPairScore's.
class RankingData {
public:
    /// Most entries of one ranking reply.
    static constexpr int maxEntries = 495;

    /// event gives the banded pair numbering, read at each call.
    RankingData(ScoreDb& db, const GameSettings& settings, Log& log, const EventInfo& event,
                ScoredBoardSource& boards);

    /// The contestants of the field's section (or of the whole field) on side, up to round
    /// (0: all), cut to the setting custom_qz_topranking when it is below 99: per contestant
    /// the section byte (the alphabet position of its section's first letter across a field
    /// of several sections, else 0), the number as the terminals number it and the
    /// percentage rounded half to even. At most limit entries; a contestant whose number
    /// does not fit a byte is left out. Both are logged. One byte 0 when nobody has a board
    /// scored; nothing when the ranking cannot be read (logged).
    std::optional<QByteArray> getRankingData(const RankingField& field, RankingSide side, qint16 round,
                                             int limit);

private:
    const GameSettings& settings_;
    Log& log_;
    const EventInfo& event_;
    PairRanking ranking_;
};

} // namespace qzc
