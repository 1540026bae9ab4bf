#include "scoring/CountedResults.h"

#include "core/GameSettings.h"
#include "core/NumberText.h"

namespace qzc {

QString noRemarkWithContract() {
    return QStringLiteral(" AND (remarks='' OR remarks IS NULL) AND (NOT remarks='' OR NOT contract='')");
}

QString countedResultCondition() {
    return QStringLiteral("NOT Erased") + noRemarkWithContract();
}

bool isCountedResult(const QString& remarks, const QString& contract) {
    return remarks.isEmpty() && !contract.isEmpty();
}

bool scoresAcrossField(const GameSettings& settings) {
    return StrToInt(settings.getGameSetting(QStringLiteral("custom_qz_scoreacrosspair"))) != 0;
}

bool scoresImps(const GameSettings& settings) {
    return StrToInt(settings.getGameSetting(QStringLiteral("custom_qz_scoringtype"))) == 0;
}

} // namespace qzc
