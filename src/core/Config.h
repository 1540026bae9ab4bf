#pragma once

#include "platform/IniFile.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace qzc {

class RegistryKey;

/// The configuration read once at start: command line, the ini file qzcontrol.ini in the
/// program folder, the read-only registry key of the companion programs, and the folders
/// derived from them. Paths use "/" and folders always end with "/".
class Config {
public:
    static inline const QString appTitle = QStringLiteral("QZC");
    /// The ini section of the program's own keys.
    static inline const QString mainSection = QStringLiteral("QZC");
    /// The ini section of the default game settings and user preferences.
    static inline const QString defaultsSection = QStringLiteral("QZC Default Game Settings");
    static inline const QString iniFileName = QStringLiteral("qzcontrol.ini");

    /// The program folder, with "/" as separator; a missing final "/" is added.
    explicit Config(QString appFolder);

    /// Reads the command line, the ini keys (writing back the defaults that are due) and
    /// the registry values, and derives the folders and the event name.
    void readStartupSettings(const QString& commandLine, const RegistryKey& registry);

    /// The value that follows key in text ("/f:" or "/m"), quoted or bracketed values
    /// included; empty when no occurrence of the key starts a word.
    static QString GetArgValue(const QString& text, const QString& key);
    /// A version text such as "3.20" as the number 3.2 ("3.05" is 3.05); parts that are
    /// not numbers count as 0.
    static double parseVersion(const QString& text);

    IniFile& ini() { return ini_; }
    const IniFile& ini() const { return ini_; }
    QString readMain(const QString& key) const { return ini_.read(mainSection, key); }
    bool writeMain(const QString& key, const QString& value) { return ini_.write(mainSection, key, value); }
    QString readDefault(const QString& key) const { return ini_.read(defaultsSection, key); }
    bool writeDefault(const QString& key, const QString& value) {
        return ini_.write(defaultsSection, key, value);
    }

    // Command line: the "/f:" value (trimmed, quotes removed) and the "/m" value.
    QString scoreDbArg;
    QString minimiseArg;

    QString appFolder;
    qint16 comPort = 0;
    double tqzMinVersion = 0;
    double tqzMaxVersion = 0;
    double tqzOptVersion = 0;
    qint32 logBufferLimit = 100000;
    qint16 databaseRetry = 0;
    qint16 traceLevel = 0;

    bool HideGSWindow = false;
    bool HideFinishedWindow = false;
    bool NameListSorting = false;
    bool NameToScoring = true;
    qint16 boardResultSorting = -4;
    qint16 playerGridSortKey = 1;
    qint16 namePreference = 0;
    bool logWindowMirroring = true;
    bool namesImportAtStart = true;

    // From the registry.
    QString helpLanguage = QStringLiteral("en");
    QString orvFolder;
    QString handrecordsFolder;
    QString eventsFolder;
    QString kestrowFolder;
    QString qzcPath;
    QString eventName;

    /// The user's desktop folder ending with "/", or empty (set by the start-up).
    QString desktopFolder;

private:
    void readRegistry(const RegistryKey& registry);

    IniFile ini_;
};

} // namespace qzc
