#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

class Config;
class Log;

/// The settings of the link to the base station, from the main section of the ini file.
struct LinkSettings {
    /// Serial speed.
    qint32 Baudrate = 38400;
    /// Radio channel 1 to 16.
    qint16 Channel = 1;
    /// Pause before later reply pieces, in units of 10 ms (0 to 100).
    qint32 MinTxInterval = 0;
    /// Largest age of a request in ms (10 to 2000); also the wait for a knock's answer.
    qint16 Timeout = 300;
    /// Minutes without a terminal frame before the link is reset (at least 4).
    qint16 basestationMaxIdleNoRX = 7;
    /// Minutes without an answer to a knock before the base station is knocked (at least 1).
    qint16 basestationMaxIdleTime = 3;
    /// Seconds of each wait of the automatic reset (1 to 300).
    qint16 basestationResetWait = 10;
    /// Log every frame received and sent.
    bool History = false;

    /// The port settings text, as "38400,n,8,1".
    QString portSettingsText() const;
    /// The wait of the automatic reset in milliseconds.
    qint32 resetWaitMs() const { return static_cast<qint32>(basestationResetWait) * 1000; }

    /// Reads the keys, keeps each value within its bounds and writes the missing defaults
    /// of Timeout and the three base-station keys back to the ini file.
    static LinkSettings read(Config& config);
    /// Writes the five setting lines of the start-up log.
    void logSettings(Log& log) const;
};

} // namespace qzc
