#include "support/GameDataHarness.h"

#include "support/EventBuilder.h"

#include <QSqlQuery>

namespace qzc::test {

bool GameDataHarness::start(EventBuilder& builder) {
    if (!harness.buildAndStart(builder)) {
        failure_ = QStringLiteral("start-up failed: ") + builder.lastError() + QLatin1Char(' ') +
                   harness.logMessages().join(QLatin1Char('\n'));
        return false;
    }
    reload();
    return true;
}

void GameDataHarness::reload() {
    gameData.loadsectiondata();
    gameData.loadrounddata();
    gameData.preloadMovementMessage();
}

void GameDataHarness::setIndividual(bool individual) {
    setSetting(QStringLiteral("custom_qz_gametype"), individual ? QStringLiteral("1") : QStringLiteral("0"));
}

void GameDataHarness::setSetting(const QString& name, const QString& value) {
    harness.settings.setGameSetting(name, value);
}

bool GameDataHarness::exec(const QString& sql) {
    return harness.db.execSQL(sql, QStringLiteral("test"), true);
}

QVariant GameDataHarness::value(const QString& sql) {
    std::optional<QSqlQuery> query = harness.db.select(sql);
    if (!query || !query->next())
        return {};
    return query->value(0);
}

} // namespace qzc::test
