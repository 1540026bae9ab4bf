#pragma once

#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "support/EventBuilder.h"
#include "support/EventHarness.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <QStringList>
#include <initializer_list>

namespace qzc::test {

/// A built event opened on its own connection, with a settings store and a log, for the
/// scoring code that reads stored results. No start-up runs, so rows stay exactly as built.
class ResultDb {
public:
    ResultDb() : log(clock), db(log, clock), settings(log) { settings.setup_SettingsStructure2(); }

    bool open(EventBuilder& builder) {
        const QString path = folder.filePath(QStringLiteral("event.db"));
        return builder.build(path) && db.open(path);
    }

    void setSetting(const QString& name, const QString& value) { settings.setGameSetting(name, value); }

    /// The log lines so far without their time stamps.
    QStringList logLines() const {
        QStringList lines;
        for (const QString& line : log.bufferedText().split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
            if (!line.endsWith(QLatin1String(" Flush previous log buffer")))
                lines << logLineBody(line);
        }
        return lines;
    }

    TempFolder folder;
    FakeClock clock;
    Log log;
    ScoreDb db;
    GameSettings settings;
    EventInfo event;
};

/// A result with a given North-South score; the contract and the rest as played() makes them.
inline ResultRow scoredResult(int section, int table, int round, int board, int score) {
    ResultRow row = ResultRow::played(section, table, round, board, table, table + 50, QStringLiteral("3NT"),
                                      QStringLiteral("N"), 9);
    row.score = score;
    return row;
}

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (const int v : values)
        result.append(static_cast<char>(v));
    return result;
}

} // namespace qzc::test
