#include "terminal/LinkSettings.h"

#include "core/Config.h"
#include "core/Log.h"
#include "core/NumberText.h"

#include <algorithm>

namespace qzc {

namespace {

// The key's number; when the key is missing or empty its default is written back first.
qint32 readWithDefault(Config& config, const QString& key, const QString& defaultText) {
    QString text = config.readMain(key);
    if (text.isEmpty()) {
        config.writeMain(key, defaultText);
        text = defaultText;
    }
    return StrToInt(text);
}

} // namespace

QString LinkSettings::portSettingsText() const {
    return QString::number(Baudrate) + QStringLiteral(",n,8,1");
}

LinkSettings LinkSettings::read(Config& config) {
    LinkSettings s;

    s.Baudrate = StrToLong(config.readMain(QStringLiteral("Baudrate")));
    if (s.Baudrate <= 0)
        s.Baudrate = 38400;

    const qint16 channel = StrToInt(config.readMain(QStringLiteral("Channel")));
    s.Channel = (channel < 1 || channel > 16) ? qint16(1) : channel;

    s.MinTxInterval = std::clamp<qint32>(StrToInt(config.readMain(QStringLiteral("MinTxInterval"))), 0, 100);

    s.Timeout = static_cast<qint16>(std::clamp<qint32>(
        readWithDefault(config, QStringLiteral("Timeout"), QStringLiteral("300")), 10, 2000));
    s.basestationMaxIdleNoRX = static_cast<qint16>(std::max<qint32>(
        readWithDefault(config, QStringLiteral("basestationMaxIdleNoRX"), QStringLiteral("7")), 4));
    s.basestationMaxIdleTime = static_cast<qint16>(std::max<qint32>(
        readWithDefault(config, QStringLiteral("basestationMaxIdleTime"), QStringLiteral("3")), 1));
    // Bounded above as well, so that the reset's wait stays a sensible number of ms.
    s.basestationResetWait = static_cast<qint16>(std::clamp<qint32>(
        readWithDefault(config, QStringLiteral("basestationResetWait"), QStringLiteral("10")), 1, 300));

    s.History = StrToInt(config.readMain(QStringLiteral("History"))) == 1;
    return s;
}

void LinkSettings::logSettings(Log& log) const {
    log.writeLog(0, QStringLiteral("bs Reset Wait time: %1s").arg(basestationResetWait));
    log.writeLog(0, QStringLiteral("bs Max idle for no activity: %1 min").arg(basestationMaxIdleTime));
    log.writeLog(0, QStringLiteral("bs Max idle for No RX: %1 min").arg(basestationMaxIdleNoRX));
    log.writeLog(0, QStringLiteral("bs Time out: %1ms").arg(Timeout));
    log.writeLog(0, QStringLiteral("bs Tx interval: %1ms").arg(MinTxInterval * 10));
}

} // namespace qzc
