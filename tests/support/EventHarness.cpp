#include "support/EventHarness.h"

#include "core/StartupSequence.h"
#include "platform/RegistryKey.h"
#include "support/EventBuilder.h"

#include <QFile>

namespace qzc::test {

EventHarness::EventHarness()
    : ownFolder_(std::make_unique<TempFolder>()), appFolder(ownFolder_->path()), config(appFolder),
      log(clock), db(log, clock), settings(log) {
    messages.transactions.watch(db);
}

EventHarness::EventHarness(const QString& programFolder)
    : appFolder(programFolder), config(appFolder), log(clock), db(log, clock), settings(log) {
    messages.transactions.watch(db);
}

QString EventHarness::build(EventBuilder& builder, const QString& fileName) {
    const QString path = filePath(fileName);
    return builder.build(path) ? path : QString();
}

void EventHarness::setDefault(const QString& key, const QString& value) {
    config.writeDefault(key, value);
}

bool EventHarness::start(const QString& commandLine) {
    config.readStartupSettings(commandLine, RegistryKey(filePath(QStringLiteral("ORV.conf"))));
    return StartupSequence(config, log, db, settings, messages, event, commandLine).run();
}

bool EventHarness::buildAndStart(EventBuilder& builder, const QString& fileName) {
    const QString path = build(builder, fileName);
    if (path.isEmpty())
        return false;
    return start(QStringLiteral("/f:\"") + path + QLatin1Char('"'));
}

QString EventHarness::logFileText() const {
    QFile file(event.logFilePath());
    if (event.logFilePath().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList EventHarness::logMessages() const {
    return test::logMessages(logFileText() + log.bufferedText());
}

} // namespace qzc::test
