#include "core/GameSettings.h"

#include "core/Config.h"
#include "core/Log.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "core/SettingsRow.h"
#include "core/SharedTables.h"

#include <QHash>
#include <QSqlRecord>

namespace qzc {

namespace {

struct EntryDefinition {
    const char* name;
    /// Key of the defaults section of the ini file; nullptr when the entry has none.
    const char* iniKey;
    /// Stored when the ini key is absent or empty.
    const char* iniDefault;
};

// The 46 entries in their order: 18 columns of the shared Settings table, then the
// program's own settings.
constexpr EntryDefinition entryDefinitions[GameSettings::entryCount] = {
    {"ShowResults", nullptr, ""},
    {"MemberNumbers", nullptr, ""},
    {"LeadCard", nullptr, ""},
    {"EnterResultsMethod", nullptr, ""},
    {"GroupSections", nullptr, ""},
    {"BM2PINcode", nullptr, ""},
    {"BM2NextSeatings", nullptr, ""},
    {"BM2AuoShowScoreRecap", nullptr, ""},
    {"BM2ScoreCorrection", nullptr, ""},
    {"BM2ResultsOverview", nullptr, ""},
    {"BM2ShowPlayerNames", nullptr, ""},
    {"BM2Ranking", nullptr, ""},
    {"BM2GameSummary", nullptr, ""},
    {"BM2ViewHandRecord", nullptr, ""},
    {"BM2RecordBidding", nullptr, ""},
    {"BM2RecordPlay", nullptr, ""},
    {"ScorePoints", nullptr, ""},
    {"BM2EnterHandRecord", nullptr, ""},
    {"custom_qz_shownames", "ShowNames", ""},
    {"custom_qz_gametype", "GameType", ""},
    {"custom_qz_topranking", "ShowRanking", ""},
    {"custom_qz_showgoto", "ShowGoto", ""},
    {"custom_qz_askpincode", "AskPIN", ""},
    {"custom_qz_askdeal", "AskDeal", ""},
    {"custom_qz_askbid", "AskBidding", ""},
    {"custom_qz_askplay", "AskPlay", ""},
    {"custom_qz_scoringtype", "ScoringType", ""},
    {"custom_qz_scoreacrosspair", "ScoreAcrossPair", ""},
    {"custom_qz_tdpin", "TDPIN", "4381"},
    {"custom_qz_feedbackstyle", "Feedback", ""},
    {"custom_qz_recapresult", "RecapResult", ""},
    {"custom_qz_roundsummary", "RoundSummary", ""},
    {"custom_qz_permitresultchange", "PermitResultChange", ""},
    {"custom_qz_askplayerid", "AskPlayerID", ""},
    {"custom_qz_asklead", "AskLead", ""},
    {"custom_qz_inputmethod", "InputMethod", ""},
    {"custom_qz_askconfirmation", "AskConfirmation", "1"},
    {"custom_qz_includedeal", "IncludeDeal", ""},
    {"custom_qz_rotatedirections", "RotateDirections", ""},
    {"custom_qz_overridedefault", "ScoringOverrideDefault", ""},
    {"custom_qz_pointtodeclarer", "PointToDeclarer", ""},
    {"custom_qz_skipcheckIDexist", nullptr, ""},
    {"custom_qz_autowebpublish", "AutoWebPublish", ""},
    {"custom_qz_includemakable", "Includemakable", ""},
    {"custom_qz_makableformat", "makableFormat", ""},
    {"custom_qz_showboardmatrix", "ShowBoardMatrix", ""},
};

// The own settings that are switched on or off. Their readers test them in different
// ways (= 1, <> 0, >= 1), so each is kept as 0 or 1; any number but 0 switches it on.
constexpr const char* switchEntries[] = {
    "custom_qz_shownames",
    "custom_qz_gametype",
    "custom_qz_showgoto",
    "custom_qz_askpincode",
    "custom_qz_askdeal",
    "custom_qz_askbid",
    "custom_qz_askplay",
    "custom_qz_scoreacrosspair",
    "custom_qz_recapresult",
    "custom_qz_roundsummary",
    "custom_qz_permitresultchange",
    "custom_qz_askplayerid",
    "custom_qz_asklead",
    "custom_qz_askconfirmation",
    "custom_qz_includedeal",
    "custom_qz_rotatedirections",
    "custom_qz_overridedefault",
    "custom_qz_pointtodeclarer",
    "custom_qz_autowebpublish",
    "custom_qz_includemakable",
    "custom_qz_makableformat",
    "custom_qz_showboardmatrix",
};

// Declared types under which a database keeps a yes/no column.
bool isYesNoType(const QString& declaredType) {
    static const char* const yesNoTypes[] = {"YESNO", "YES/NO", "BIT", "BOOLEAN", "BOOL", "LOGICAL"};
    for (const char* type : yesNoTypes) {
        if (declaredType == QLatin1String(type))
            return true;
    }
    return false;
}

// A field's value as the store keeps it: numbers as decimal text, yes/no as "TRUE" or
// "FALSE", text unchanged, Null as "".
QString storedText(const QVariant& value, bool yesNo) {
    if (!value.isValid() || value.isNull())
        return {};
    if (yesNo)
        return value.toLongLong() == 0 ? QStringLiteral("FALSE") : QStringLiteral("TRUE");
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    default:
        return value.toString();
    }
}

} // namespace

int GameSettings::setup_SettingsStructure2() {
    log_.writeLog(0, QStringLiteral("Create Game Settings structure"));
    for (int i = 0; i < entryCount; ++i) {
        current_[i] = Entry{QString::fromLatin1(entryDefinitions[i].name), QString()};
        defaults_[i] = current_[i];
    }
    structured_ = true;
    log_.writeLog(0, QString::number(entryCount) + QStringLiteral(" fields created"));
    return sharedEntryCount;
}

QString GameSettings::entryName(int index) const {
    if (index < 1 || index > entryCount)
        return {};
    return current_[index - 1].name;
}

int GameSettings::indexOf(const List& entries, const QString& name) const {
    if (!structured_ || name.isEmpty())
        return -1;
    for (int i = 0; i < entryCount; ++i) {
        const QString& entryName = entries[i].name;
        if (!entryName.isEmpty() && entryName.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString GameSettings::getGameSetting(const QString& name, bool useDefaults) const {
    const List& entries = list(useDefaults);
    const int i = indexOf(entries, name);
    return i >= 0 ? entries[i].value.toUpper() : QString();
}

void GameSettings::setGameSetting(const QString& name, const QString& value, bool useDefaults) {
    List& entries = list(useDefaults);
    const int i = indexOf(entries, name);
    if (i >= 0)
        entries[i].value = value.toUpper();
}

void GameSettings::loadDefaultGameSettings(const Config& config) {
    for (const EntryDefinition& entry : entryDefinitions) {
        if (entry.iniKey == nullptr)
            continue;
        QString value = config.readDefault(QString::fromLatin1(entry.iniKey));
        if (value.isEmpty())
            value = QString::fromLatin1(entry.iniDefault);
        setGameSetting(QString::fromLatin1(entry.name), value, true);
    }
    bringIntoRange(true, QStringLiteral("loadDefaultGameSettings"));
}

void GameSettings::bringIntoRange(bool useDefaults, const QString& source) {
    for (const char* name : switchEntries) {
        const QString entry = QString::fromLatin1(name);
        const QString value = getGameSetting(entry, useDefaults);
        if (!value.isEmpty())
            setGameSetting(entry, StrToInt(value) != 0 ? QStringLiteral("1") : QStringLiteral("0"),
                           useDefaults);
    }
    const auto replace = [&](const QString& entry, const QString& inRange) {
        log_.writeLog(0,
                      entry + QStringLiteral(" '") + getGameSetting(entry, useDefaults) +
                          QStringLiteral("' is out of range, ") + inRange + QStringLiteral(" is used"),
                      source);
        setGameSetting(entry, inRange, useDefaults);
    };
    // Only the three methods that the dialog offers can be sent; it shows the first for
    // any other.
    const QString method = QStringLiteral("custom_qz_inputmethod");
    const qint16 methodNumber = StrToInt(getGameSetting(method, useDefaults));
    if (methodNumber < 0 || methodNumber > 2)
        replace(method, QStringLiteral("0"));
    // An empty TD PIN stays: it marks a settings row that was never saved.
    const QString pin = QStringLiteral("custom_qz_tdpin");
    const QString pinText = getGameSetting(pin, useDefaults);
    if (!pinText.isEmpty() && !isFourDigitPin(pinText))
        replace(pin, defaultTdPin);
}

void GameSettings::loadSettings(ScoreDb& db, bool fromCustom, const TablePresence& present) {
    if (!structured_)
        return;
    const QString table = fromCustom ? QStringLiteral("custom_qz_Settings") : QStringLiteral("Settings");
    // The shared Settings table is optional; without it there is nothing to read.
    const bool readable = fromCustom || present.present(SharedTable::Settings);
    if (readable) {
        std::optional<QSqlQuery> query = db.select(QStringLiteral("SELECT * FROM ") + table);
        if (!query) {
            log_.writeLog(db.lastErrorNumber(), db.lastErrorDescription(),
                          QStringLiteral("Database - loadSettings"), true);
        } else if (query->next()) {
            QHash<QString, QString> declaredTypes;
            for (const ScoreDb::Column& column : db.columns(table).value_or(QList<ScoreDb::Column>{}))
                declaredTypes.insert(column.name.toUpper(), column.declaredType);
            const QSqlRecord record = query->record();
            const int first = fromCustom ? sharedEntryCount : 0;
            const int last = fromCustom ? entryCount : sharedEntryCount;
            for (int i = first; i < last; ++i) {
                Entry& entry = current_[i];
                if (entry.name.isEmpty())
                    continue;
                const int field = record.indexOf(entry.name);
                if (field < 0) {
                    // A Settings column the scoring program did not write: the entry no
                    // longer answers, so the override leaves its own entry alone.
                    if (!fromCustom)
                        entry.name.clear();
                    continue;
                }
                entry.value =
                    storedText(query->value(field), isYesNoType(declaredTypes.value(entry.name.toUpper())));
            }
        }
    }
    if (fromCustom)
        bringIntoRange(false, QStringLiteral("Database - loadSettings"));
    if (fromCustom && StrToInt(getGameSetting(QStringLiteral("custom_qz_askdeal"))) == 1 &&
        !present.present(SharedTable::HandRecord))
        setGameSetting(QStringLiteral("custom_qz_askdeal"), QStringLiteral("0"));
}

void GameSettings::loadStoredSettings(ScoreDb& db, const TablePresence& present) {
    loadSettings(db, true, present);
    loadSettings(db, false, present);
}

void GameSettings::copyDefaultGameSettings() {
    if (!structured_)
        return;
    for (Entry& entry : current_) {
        const int i = indexOf(defaults_, entry.name);
        if (i >= 0)
            entry.value = defaults_[i].value.toUpper();
    }
}

void GameSettings::overrideSettingsByScoringProgram() {
    log_.writeLog(0, QStringLiteral("Override settings by scoring program"));
    auto apply = [this](const char* shared, const char* own, auto rule) {
        const QString value = getGameSetting(QString::fromLatin1(shared));
        if (!value.isEmpty())
            setGameSetting(QString::fromLatin1(own), rule(value));
    };
    auto unlessFalse = [](const QString& v) {
        return v == QLatin1String("FALSE") ? QStringLiteral("0") : QStringLiteral("1");
    };
    auto unlessZero = [](const QString& v) {
        return StrToInt(v) == 0 ? QStringLiteral("0") : QStringLiteral("1");
    };
    auto copied = [](const QString& v) {
        return v;
    };

    apply("ShowResults", "custom_qz_feedbackstyle", [](const QString& v) {
        return v == QLatin1String("FALSE") ? QStringLiteral("-1") : QStringLiteral("2");
    });
    if (StrToInt(getGameSetting(QStringLiteral("custom_qz_feedbackstyle"))) != -1) {
        apply("BM2ResultsOverview", "custom_qz_feedbackstyle", [](const QString& v) {
            const qint16 n = StrToInt(v);
            if (n >= 0 && n <= 2)
                return QStringLiteral("2");
            if (n >= 3 && n <= 5)
                return QStringLiteral("1");
            return QStringLiteral("-1");
        });
    }
    apply("MemberNumbers", "custom_qz_askplayerid", unlessFalse);
    apply("LeadCard", "custom_qz_asklead", unlessFalse);
    apply("EnterResultsMethod", "custom_qz_inputmethod", copied);
    apply("GroupSections", "custom_qz_scoreacrosspair", unlessFalse);
    apply("BM2NextSeatings", "custom_qz_showgoto", unlessFalse);
    apply("BM2ScoreCorrection", "custom_qz_permitresultchange", unlessFalse);
    apply("BM2ShowPlayerNames", "custom_qz_shownames", unlessZero);
    apply("BM2Ranking", "custom_qz_topranking",
          [](const QString& v) { return StrToInt(v) == 0 ? QStringLiteral("0") : QStringLiteral("10"); });
    apply("BM2GameSummary", "custom_qz_recapresult", unlessFalse);
    apply("BM2ViewHandRecord", "custom_qz_includedeal", unlessFalse);
    apply("BM2EnterHandRecord", "custom_qz_askdeal", unlessFalse);
    apply("BM2RecordBidding", "custom_qz_askbid", unlessFalse);
    apply("BM2RecordPlay", "custom_qz_askplay", unlessFalse);
    apply("BM2PINcode", "custom_qz_tdpin", copied);
    apply("ScorePoints", "custom_qz_pointtodeclarer", unlessZero);
    apply("BM2AuoShowScoreRecap", "custom_qz_roundsummary", unlessFalse);
    bringIntoRange(false, QStringLiteral("overrideSettingsByScoringProgram"));
}

bool GameSettings::storeGameSettings(ScoreDb& db) {
    if (!structured_)
        return false;
    QStringList values;
    for (const char* column : savedSettingColumns) {
        const QString name = QString::fromLatin1(column);
        if (name == QLatin1String("custom_qz_tdpin")) {
            if (getGameSetting(name).isEmpty())
                setGameSetting(name, defaultTdPin);
            values << getGameSetting(name);
            continue;
        }
        values << QString::number(StrToInt(getGameSetting(name)));
    }
    return writeSettingsRow(db, settingsSetList(values));
}

QString GameSettings::iniKeyOf(const QString& name) {
    for (const EntryDefinition& entry : entryDefinitions) {
        if (entry.iniKey != nullptr && name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(entry.iniKey);
    }
    return {};
}

} // namespace qzc
