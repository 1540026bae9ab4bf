#include "core/Config.h"

#include "core/NumberText.h"
#include "core/TextHelpers.h"
#include "platform/RegistryKey.h"

#include <cmath>

namespace qzc {

namespace {

constexpr qint32 minimumLogBuffer = 100000;

// Values written by Windows programs may use either separator; inside the program it is "/".
QString withSlashes(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString withTrailingSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder;
}

} // namespace

Config::Config(QString folder)
    : appFolder(withTrailingSlash(std::move(folder))), ini_(appFolder + iniFileName) {}

QString Config::GetArgValue(const QString& text, const QString& key) {
    if (text.isEmpty() || key.isEmpty()) {
        return {};
    }
    // The key must start the text or follow a blank. Later occurrences are looked at too,
    // because paths on this platform contain "/" and so can hold "/m" inside a word.
    qsizetype p = text.indexOf(key, 0, Qt::CaseInsensitive);
    while (p > 0 && text[p - 1] != QLatin1Char(' ')) {
        p = text.indexOf(key, p + 1, Qt::CaseInsensitive);
    }
    if (p < 0) {
        return {};
    }
    const qsizetype s = p + key.size();
    const QChar c = s < text.size() ? text[s] : QChar();
    qsizetype begin = s;
    qsizetype end = -1;
    if (c == QLatin1Char('"')) {
        begin = s + 1;
        end = text.indexOf(QLatin1Char('"'), begin);
    } else if (c == QLatin1Char('[')) {
        begin = s + 1;
        end = text.indexOf(QLatin1Char(']'), begin);
    } else {
        end = text.indexOf(QLatin1Char(' '), s);
    }
    if (end < 0) {
        return text.mid(s); // an unclosed quote or bracket stays in front of the value
    }
    return text.mid(begin, end - begin);
}

double Config::parseVersion(const QString& text) {
    const QString majorText = GetField(text, 1, QStringLiteral("."));
    const QString minorText = GetField(text, 2, QStringLiteral("."));
    double version = StrToLong(majorText);
    if (!minorText.isEmpty()) {
        // In floating point, so that a fraction of any length neither overflows nor fails.
        const double fraction =
            StrToDouble(minorText) / std::pow(10.0, static_cast<double>(minorText.size()));
        if (std::isfinite(fraction)) {
            version += fraction;
        }
    }
    return version;
}

void Config::readStartupSettings(const QString& commandLine, const RegistryKey& registry) {
    scoreDbArg.clear();
    minimiseArg.clear();
    if (!commandLine.isEmpty()) {
        scoreDbArg = GetArgValue(commandLine, QStringLiteral("/f:")).trimmed().remove(QLatin1Char('"'));
        minimiseArg = GetArgValue(commandLine, QStringLiteral("/m"));
    }

    comPort = StrToInt(readMain(QStringLiteral("ComPort")));
    const QString minVersion = readMain(QStringLiteral("TQZMinVersion"));
    if (minVersion.isEmpty()) {
        tqzMinVersion = 2;
        writeMain(QStringLiteral("TQZMinVersion"), QStringLiteral("2"));
    } else {
        tqzMinVersion = parseVersion(minVersion);
    }
    auto optionalVersion = [this](const QString& key) {
        const QString text = readMain(key);
        if (text.isEmpty()) {
            writeMain(key, QString());
            return 0.0;
        }
        return parseVersion(text);
    };
    tqzMaxVersion = optionalVersion(QStringLiteral("TQZMaxVersion"));
    tqzOptVersion = optionalVersion(QStringLiteral("TQZOptVersion"));
    for (const QString& key : {QStringLiteral("QZCVersion"), QStringLiteral("RequiredVersion"),
                               QStringLiteral("RecommendedVersion"), QStringLiteral("Show UpgradeMessage"),
                               QStringLiteral("SkipCheckIDexist")}) {
        writeMain(key, QStringLiteral("NOT used"));
    }
    logBufferLimit = StrToLong(readMain(QStringLiteral("LogBuffer")));
    if (logBufferLimit < 1) {
        writeMain(QStringLiteral("LogBuffer"), QString::number(minimumLogBuffer));
    }
    if (logBufferLimit <= minimumLogBuffer) {
        logBufferLimit = minimumLogBuffer; // the key can only raise the limit
    }
    databaseRetry = StrToInt(readMain(QStringLiteral("DatabaseRetry")));

    HideGSWindow = StrToInt(readDefault(QStringLiteral("HideGSWindow"))) == 1;
    HideFinishedWindow = StrToInt(readDefault(QStringLiteral("HideFinishedWindow"))) == 1;
    if (!readDefault(QStringLiteral("PCOffline")).isEmpty()) {
        writeDefault(QStringLiteral("PCOffline"), QStringLiteral("Not used"));
    }
    NameListSorting = StrToInt(readDefault(QStringLiteral("NameListSorting"))) == 1;
    NameToScoring = StrToInt(readDefault(QStringLiteral("NameToScoring"))) == 0;
    boardResultSorting = StrToInt(readDefault(QStringLiteral("BoardResultSorting")));
    if (boardResultSorting == 0) {
        boardResultSorting = -4;
    }
    playerGridSortKey = 1;
    traceLevel = StrToInt(readMain(QStringLiteral("TraceLevel")));
    namePreference = StrToInt(readDefault(QStringLiteral("Player name preference")));
    logWindowMirroring = true;

    readRegistry(registry);
    namesImportAtStart = true;
}

void Config::readRegistry(const RegistryKey& registry) {
    helpLanguage = registry.GetRegString(QStringLiteral("Language")).trimmed();
    if (helpLanguage.isEmpty()) {
        helpLanguage = QStringLiteral("en");
    }
    helpLanguage = helpLanguage.toLower();

    orvFolder = withSlashes(registry.GetRegString(QStringLiteral("ORV_path")).trimmed());
    if (!orvFolder.isEmpty()) {
        orvFolder = withTrailingSlash(orvFolder);
    } else {
        // Without the key: the folder that holds the product folder, else the program folder.
        orvFolder = appFolder;
        const qsizetype product = appFolder.indexOf(QStringLiteral("/talvane/"), 0, Qt::CaseInsensitive);
        if (product >= 0) {
            orvFolder = appFolder.left(product + 1);
        }
    }
    handrecordsFolder = orvFolder + QStringLiteral("handrecords/");
    eventsFolder = orvFolder + QStringLiteral("events/");
    kestrowFolder = orvFolder + QStringLiteral("kestrow/");

    qzcPath = withSlashes(registry.GetRegString(QStringLiteral("QZCPath")).trimmed());
    eventName.clear();
    const QString eventsMark = QStringLiteral("/events/");
    const qsizetype events = qzcPath.indexOf(eventsMark, 0, Qt::CaseInsensitive);
    if (events >= 0) {
        const qsizetype begin = events + eventsMark.size();
        const qsizetype end = qzcPath.indexOf(QLatin1Char('/'), begin);
        eventName = end < 0 ? qzcPath.mid(begin) : qzcPath.mid(begin, end - begin);
    }
}

} // namespace qzc
