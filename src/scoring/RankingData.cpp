#include "scoring/RankingData.h"

#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "scoring/RecordFields.h"

namespace qzc {

namespace {

const QString kSource = QStringLiteral("getRankingData");

// custom_qz_topranking from this value on means the whole ranking.
constexpr qint16 wholeRanking = 99;

// The alphabet position of the first letter of the section's letters (AB gives 1); 0 for
// letters that do not begin with A to Z.
char sectionByte(const QString& letters) {
    const QString upper = letters.trimmed().toUpper();
    if (upper.isEmpty() || upper.at(0) < QLatin1Char('A') || upper.at(0) > QLatin1Char('Z'))
        return 0;
    return static_cast<char>(upper.at(0).unicode() - u'A' + 1);
}

// The entries of a ranking, without the one byte 0 that stands for none.
QByteArray entries(const QByteArray& ranking) {
    return ranking.size() > 1 ? ranking : QByteArray();
}

} // namespace

RankingData::RankingData(ScoreDb& db, const GameSettings& settings, Log& log, const EventInfo& event,
                         ScoredBoardSource& boards)
    : settings_(settings), log_(log), event_(event), boards_(boards), ranking_(db, settings, log, boards_) {}

std::optional<QByteArray> RankingData::rankingReply(const RankingField& field) {
    // Boards valued for an earlier request may have changed since.
    boards_.clear();
    QByteArray northSouth;
    QByteArray rest;
    if (field.separatePairs) {
        const std::optional<QByteArray> ns =
            getRankingData(field, RankingSide::NorthSouth, 0, maxNorthSouthEntries);
        const std::optional<QByteArray> ew =
            ns ? getRankingData(field, RankingSide::EastWest, 0,
                                maxEntries - static_cast<int>(entries(*ns).size() / 3))
               : std::nullopt;
        if (!ew)
            return std::nullopt;
        northSouth = entries(*ns);
        rest = entries(*ew);
    } else {
        const std::optional<QByteArray> all = getRankingData(field, RankingSide::Both, 0, maxEntries);
        if (!all)
            return std::nullopt;
        rest = entries(*all);
    }
    return QByteArray(1, static_cast<char>(northSouth.size() / 3)) + northSouth + rest;
}

std::optional<QByteArray> RankingData::getRankingData(const RankingField& field, RankingSide side,
                                                      qint16 round, int limit) {
    log_.writeLog(0, QStringLiteral("Get ranking data"));
    const qint16 top = StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_topranking")));
    const std::optional<std::vector<PairScoreRecord>> records =
        ranking_.calcPairScore(field.sectionId, side, top < wholeRanking ? top : qint16{0}, round, false);
    if (!records)
        return std::nullopt;
    if (records->empty() || records->front().boards < 1)
        return QByteArray(1, '\0');

    // Across the field exactly when calcPairScore ranked it so.
    const bool bySection =
        StrToInt(settings_.getGameSetting(QStringLiteral("custom_qz_scoreacrosspair"))) == 1 &&
        field.sectionLetters.size() > 1;
    QByteArray payload;
    for (const PairScoreRecord& record : *records) {
        if (payload.size() == 3 * limit) {
            log_.writeLog(0,
                          QStringLiteral("Ranking data cut at ") + QString::number(limit) +
                              QStringLiteral(" contestants: the reply holds no more"),
                          kSource);
            break;
        }
        const qint32 number = convertPairNumber(record.number, event_.bandedPairNumbering);
        if (number < 0 || number > 255) {
            log_.writeLog(0,
                          QStringLiteral("Ranking data: pair ") + QString::number(record.number) +
                              QStringLiteral(" left out, its number ") + QString::number(number) +
                              QStringLiteral(" does not fit a byte"),
                          kSource);
            continue;
        }
        payload.append(bySection ? sectionByte(field.sectionLetters.value(record.section)) : '\0');
        payload.append(static_cast<char>(number));
        payload.append(byteValue(static_cast<int>(roundHalfEven(record.percentage))));
    }
    return payload.isEmpty() ? QByteArray(1, '\0') : payload;
}

} // namespace qzc
