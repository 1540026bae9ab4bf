#include "core/GameSettingsEditor.h"

#include "core/Config.h"
#include "core/DbTransaction.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "core/SettingsDialogHost.h"
#include "core/SettingsRow.h"
#include "gamedata/SetupFlags.h"

#include <QHash>

namespace qzc {

namespace {

const QString kDefaultMode = QStringLiteral("DEFAULT GAME SETTINGS");
const QString kRoundStarted = QStringLiteral(" - Round is started!");
const QString kPinRule = QStringLiteral("The TD PIN must be four digits.");
const QString kSaveFailed = QStringLiteral("The game settings could not be saved. Please check.");
const QString kIdQuestion = QStringLiteral("Player IDs has already been entered.\r\n"
                                           "Are you sure that you want the players to enter ID anyway?");
const QString kIdCaption = QStringLiteral("Ask players for ID");
constexpr qint16 kExclamationOk = 48;
constexpr qint16 kQuestionYesNo = 36;
constexpr qint16 kIdHelpTopic = 19;
const QString kIdSource = QStringLiteral("checkPlayerIDentered");
const QString kKeptText =
    QStringLiteral("The game is under way, so these settings keep their stored values: ");
const QString kKeptSource = QStringLiteral("SaveGameSettings");

// The ask boxes that a started game greys while they are not ticked, with the setting each
// shows and its caption.
struct LockedAsk {
    int index;
    const char* column;
    const char* caption;
    /// The ask box that ticking this one unticks (chkAsk_Click), and its setting; -1 when none.
    int unticks = -1;
    const char* untickedColumn = nullptr;
};
constexpr LockedAsk kLockedAsks[] = {{0, "custom_qz_askpincode", "PIN codes"},
                                     {1, "custom_qz_askplayerid", "Player ID"},
                                     {3, "custom_qz_askdeal", "Deal"},
                                     {4, "custom_qz_askbid", "Bidding"},
                                     {5, "custom_qz_askplay", "Play", 2, "custom_qz_asklead"}};

template <std::size_t N> void select(std::array<ControlState, N>& options, std::size_t index) {
    for (std::size_t i = 0; i < N; ++i)
        options[i].value = i == index;
}

// The index of the first selected option; 0 when none is selected.
template <std::size_t N> int selectedIndex(const std::array<ControlState, N>& options) {
    for (std::size_t i = 0; i < N; ++i) {
        if (options[i].value)
            return static_cast<int>(i);
    }
    return 0;
}

QString flag(const ControlState& box) {
    return box.value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

GameSettingsEditor::GameSettingsEditor(const Services& services)
    : settings_(services.settings), db_(services.db), config_(services.config), log_(services.log),
      messages_(services.messages), event_(services.event), host_(services.host),
      proposeDefaultsForUnsavedRow_(services.proposeDefaultsForUnsavedRow) {}

qint16 GameSettingsEditor::storedNumber(const char* column) const {
    return StrToInt(shown().getGameSetting(QString::fromLatin1(column), defaultMode_));
}

void GameSettingsEditor::proposeDefaults() {
    // Filled in a copy: terminals that log in while the dialog is open, and a Cancel,
    // keep the settings of the row.
    GameSettings& proposal = proposal_.emplace(settings_);
    proposal.copyDefaultGameSettings();
    proposal.loadSettings(db_, false, event_.tablePresent);
    if (proposal.getGameSetting(QStringLiteral("custom_qz_tdpin")).isEmpty() &&
        StrToInt(config_.readDefault(QStringLiteral("ScoringOverrideDefault"))) > 0)
        proposal.overrideSettingsByScoringProgram();
}

void GameSettingsEditor::Form_Load() {
    controls_ = SettingsControls{};
    controls_.caption = event_.settingsDialogMode;
    defaultMode_ = event_.settingsDialogMode.toUpper() == kDefaultMode;
    proposal_.reset();
    if (!defaultMode_ && proposeDefaultsForUnsavedRow_ &&
        settings_.getGameSetting(QStringLiteral("custom_qz_tdpin")).isEmpty())
        proposeDefaults();
    settings_Initialize();
    controls_.chkOverrideDefaultVisible = false;
    if (defaultMode_) {
        const TablePresence& present = event_.tablePresent;
        if (!present.present(SharedTable::HandRecord))
            controls_.chkAsk[3].enabled = false;
        if (!present.present(SharedTable::BiddingData))
            controls_.chkAsk[4].enabled = false;
        if (!present.present(SharedTable::PlayData))
            controls_.chkAsk[5].enabled = false;
        controls_.chkOverrideDefaultVisible = true;
    } else {
        Lock_settings();
    }
}

void GameSettingsEditor::settings_Initialize() {
    SettingsControls& c = controls_;
    c.chkMovement[1].value = storedNumber("custom_qz_showgoto") >= 1;
    c.chkAsk[0].value = storedNumber("custom_qz_askpincode") == 1;
    c.chkAsk[1].value = storedNumber("custom_qz_askplayerid") == 1;
    c.chkAsk[2].value = storedNumber("custom_qz_asklead") == 1;
    c.chkAsk[3].value = storedNumber("custom_qz_askdeal") == 1;
    c.chkAsk[4].value = storedNumber("custom_qz_askbid") == 1;
    c.chkAsk[5].value = storedNumber("custom_qz_askplay") == 1;
    if (c.chkAsk[5].value)
        chkAsk_Click(5);
    c.chkAsk[6].value = storedNumber("custom_qz_askconfirmation") == 1;

    // An input method without an option of its own shows (and saves) the first one.
    const qint16 input = storedNumber("custom_qz_inputmethod");
    select(c.optInput, input >= 0 && input <= 2 ? static_cast<std::size_t>(input) : 0);
    const int scoring = storedNumber("custom_qz_scoringtype") != 0 ? 2 : 0;
    select(c.optScoring, static_cast<std::size_t>(scoring));
    optScoring_Click(scoring);
    c.chkGameType.value = storedNumber("custom_qz_gametype") != 0;
    c.chkAcrossField.value = storedNumber("custom_qz_scoreacrosspair") == 1;
    c.chkIncludeDeal.value = storedNumber("custom_qz_includedeal") == 1;
    chkIncludeDeal_Click();
    c.chkIncludeMakable.value = storedNumber("custom_qz_includemakable") == 1;
    chkIncludeMakable_Click();
    select(c.optMakableFormat, storedNumber("custom_qz_makableformat") != 0 ? 1 : 0);
    c.chkPointtoDeclarer.value = storedNumber("custom_qz_pointtodeclarer") == 1;
    c.chkShowBoardMatrix.value = storedNumber("custom_qz_showboardmatrix") == 1;
    c.chkRotatedirection.value = storedNumber("custom_qz_rotatedirections") == 1;
    c.chkOverrideDefault.value = storedNumber("custom_qz_overridedefault") == 1;
    c.chkAutoWebPublish.value = storedNumber("custom_qz_autowebpublish") == 1;
    c.txtTDPIN = shown().getGameSetting(QStringLiteral("custom_qz_tdpin"), defaultMode_);

    // A feedback style without an option of its own shows the first one.
    const qint16 feedback = storedNumber("custom_qz_feedbackstyle");
    c.chkFeedback.value = feedback >= 0;
    if (feedback >= 0)
        select(c.optFeedback, feedback <= 2 ? static_cast<std::size_t>(feedback) : 0);
    chkFeedback_Click();

    const qint16 ranking = storedNumber("custom_qz_topranking");
    c.chkRanking.value = ranking >= 1;
    if (ranking >= 1)
        c.chkRankingTop10.value = ranking == 10;
    chkRanking_Click();

    c.chkRecap.value = storedNumber("custom_qz_recapresult") >= 1;
    c.chkRoundSummary.value = storedNumber("custom_qz_roundsummary") >= 1;
    chkRoundSummary_Click();
    c.chkChangeResult.value = storedNumber("custom_qz_permitresultchange") >= 1;
    c.chkShowNames.value = storedNumber("custom_qz_shownames") >= 1;
}

GameSettingsEditor::GameLock GameSettingsEditor::readLock() const {
    qint32 terminals = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT(TQZ_ID) AS cntTQZ FROM [custom_qz_TQZ] "
                                  "WHERE TQZ_ID>0 AND [Section]>0 AND [Table]>0"),
                   QStringLiteral("cntTQZ"), terminals);
    qint32 sections = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT(ID) AS cntSection FROM [Section] "
                                  "WHERE ID>0 AND Tables>0 AND custom_qz_StanazBeginGameRound>1"),
                   QStringLiteral("cntSection"), sections);
    return {terminals > 0, sections > 0};
}

void GameSettingsEditor::showLock(const GameLock& lock) {
    SettingsControls& c = controls_;
    if (lock.terminalsBound || lock.pastFirstStanza) {
        // A ticked box stays changeable, so what is asked can only be switched off.
        for (const LockedAsk& ask : kLockedAsks) {
            if (!c.chkAsk[ask.index].value)
                c.chkAsk[ask.index].enabled = false;
        }
    }
    if (lock.terminalsBound) {
        if (!c.caption.endsWith(kRoundStarted))
            c.caption += kRoundStarted;
        c.chkGameType.enabled = false;
        c.optScoring[0].enabled = false;
        c.optScoring[2].enabled = false;
    }
}

void GameSettingsEditor::Lock_settings() {
    showLock(readLock());
    SettingsControls& c = controls_;
    const TablePresence& present = event_.tablePresent;
    if (!present.present(SharedTable::HandRecord))
        c.chkAsk[3].enabled = false;
    if (!present.present(SharedTable::BiddingData))
        c.chkAsk[4].enabled = false;
    if (!present.present(SharedTable::PlayData))
        c.chkAsk[5].enabled = false;
}

void GameSettingsEditor::keepLockedSettings() {
    const GameLock lock = readLock();
    SettingsControls& c = controls_;
    // What the tables were told: the settings in force, not a proposal shown for a row
    // never saved.
    const auto inForce = [this](const char* column) {
        return StrToInt(settings_.getGameSetting(QString::fromLatin1(column)));
    };
    QStringList kept;
    if (lock.terminalsBound) {
        const bool individual = inForce("custom_qz_gametype") != 0;
        if (c.chkGameType.value != individual) {
            c.chkGameType.value = individual;
            kept << QStringLiteral("Individual");
        }
        const int scoring = inForce("custom_qz_scoringtype") != 0 ? 2 : 0;
        if (!c.optScoring[static_cast<std::size_t>(scoring)].value) {
            select(c.optScoring, static_cast<std::size_t>(scoring));
            // The other scoring's click may have moved the feedback style: while feedback is given
            // as it was in force, the style is the one in force, shown as a load shows it. Feedback
            // switched on or off is the director's own choice and stays.
            const qint16 style = inForce("custom_qz_feedbackstyle");
            if (c.chkFeedback.value && style >= 0)
                select(c.optFeedback, style <= 2 ? static_cast<std::size_t>(style) : 0);
            optScoring_Click(scoring);
            kept << QStringLiteral("Scoring");
        }
    }
    if (lock.terminalsBound || lock.pastFirstStanza) {
        for (const LockedAsk& ask : kLockedAsks) {
            if (c.chkAsk[ask.index].value && inForce(ask.column) != 1) {
                c.chkAsk[ask.index].value = false;
                // Its tick unticked that box, which stayed greyed: it gets back its value in force.
                if (ask.unticks >= 0)
                    c.chkAsk[ask.unticks].value = inForce(ask.untickedColumn) == 1;
                chkAsk_Click(ask.index);
                kept << QString::fromLatin1(ask.caption);
            }
        }
    }
    showLock(lock);
    if (kept.isEmpty())
        return;
    const QString text = kKeptText + kept.join(QStringLiteral(", ")) + QLatin1Char('.');
    log_.writeLog(0, text, kKeptSource);
    messages_.showMsg(text, event_.settingsDialogMode, kExclamationOk, helpTopic);
}

bool GameSettingsEditor::checkPlayerIDentered() {
    // The event's setting as the dialog shows it, in either mode: for a row never saved
    // that is the proposal, not the row in force.
    if (!event_.tablePresent.present(SharedTable::PlayerNumbers) ||
        StrToInt(shown().getGameSetting(QStringLiteral("custom_qz_askplayerid"))) == 0)
        return true;

    log_.writeLog(0, QStringLiteral("Check player numbers entries"));
    qint32 results = 0;
    db_.getDBValue(QStringLiteral("SELECT COUNT(Board) AS ttboard FROM [ReceivedData] WHERE NOT Erased"),
                   QStringLiteral("ttboard"), results);
    log_.writeLog(0, QStringLiteral("Board result received: ") + QString::number(results));
    if (results > 0)
        return true;

    std::optional<QSqlQuery> numbers = db_.select(
        QStringLiteral("SELECT [PlayerNumbers].[Number] AS Number FROM [PlayerNumbers] INNER JOIN [Section] "
                       "ON [PlayerNumbers].[Section]=[Section].[ID] WHERE [PlayerNumbers].[Number]<>'' "
                       "AND [PlayerNumbers].[Number] IS NOT NULL AND [PlayerNumbers].[Table]>0"));
    if (!numbers) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kIdSource, true);
        return true;
    }
    bool idsEntered = false;
    while (!idsEntered && numbers->next())
        idsEntered = StrToDouble(numbers->value(0).toString()) > 0;
    numbers.reset();
    if (!idsEntered)
        return true;

    log_.writeLog(0, QStringLiteral("ID exists"));
    if (!messages_.showMsg(kIdQuestion, kIdCaption, kQuestionYesNo, kIdHelpTopic))
        return false;
    settings_.setGameSetting(QStringLiteral("custom_qz_skipcheckIDexist"), QStringLiteral("1"));
    db_.execSQL(QStringLiteral("UPDATE [custom_qz_settings] SET custom_qz_skipcheckIDexist='1'"),
                QStringLiteral("checkPlayerIDEntered"));
    return true;
}

void GameSettingsEditor::chkAsk_Click(int index) {
    if (index != 5)
        return;
    ControlState& lead = controls_.chkAsk[2];
    if (controls_.chkAsk[5].value) {
        lead.value = false;
        lead.enabled = false;
    } else {
        lead.enabled = true;
    }
}

void GameSettingsEditor::chkRanking_Click() {
    controls_.chkRankingTop10.enabled = controls_.chkRanking.value;
}

void GameSettingsEditor::chkRoundSummary_Click() {
    controls_.chkChangeResult.enabled = controls_.chkRoundSummary.value;
}

void GameSettingsEditor::optScoring_Click(int index) {
    SettingsControls& c = controls_;
    if (index == 0) {
        c.optFeedback[0].enabled = false;
        c.optFeedback[2].enabled = false;
        const int style = selectedIndex(c.optFeedback);
        if (c.chkFeedback.value && (style == 0 || style == 2))
            select(c.optFeedback, 1);
    } else if (index == 2 && c.chkFeedback.value) {
        c.optFeedback[0].enabled = true;
        c.optFeedback[2].enabled = true;
    }
}

void GameSettingsEditor::chkFeedback_Click() {
    SettingsControls& c = controls_;
    const bool feedback = c.chkFeedback.value;
    for (ControlState& style : c.optFeedback)
        style.enabled = feedback;
    // With IMP scoring the only feedback style is the traveller.
    if (c.optScoring[0].value) {
        c.optFeedback[0].enabled = false;
        c.optFeedback[2].enabled = false;
        if (c.optFeedback[0].value || c.optFeedback[2].value)
            select(c.optFeedback, 1);
    }
    if (feedback) {
        if (StrToInt(shown().getGameSetting(QStringLiteral("custom_qz_feedbackstyle"))) == -1) {
            if (c.optFeedback[0].enabled)
                select(c.optFeedback, 0);
            else if (c.optFeedback[1].enabled)
                select(c.optFeedback, 1);
        }
        c.chkIncludeDeal.enabled = true;
    } else {
        c.chkIncludeDeal.value = false;
        c.chkIncludeDeal.enabled = false;
    }
    chkIncludeDeal_Click();
}

void GameSettingsEditor::chkIncludeDeal_Click() {
    SettingsControls& c = controls_;
    if (c.chkIncludeDeal.enabled && c.chkIncludeDeal.value) {
        c.chkIncludeMakable.enabled = true;
    } else {
        c.chkIncludeMakable.value = false;
        c.chkIncludeMakable.enabled = false;
    }
    chkIncludeMakable_Click();
}

void GameSettingsEditor::chkIncludeMakable_Click() {
    SettingsControls& c = controls_;
    const bool formats = c.chkIncludeMakable.enabled && c.chkIncludeMakable.value;
    for (ControlState& format : c.optMakableFormat)
        format.enabled = formats;
}

bool GameSettingsEditor::OKButton_Click() {
    if (defaultMode_) {
        if (!SaveGameSettings(true))
            return false;
        settings_.loadDefaultGameSettings(config_);
        return true;
    }
    // Tables may have logged in since the dialog was loaded.
    keepLockedSettings();
    if (controls_.chkAsk[1].value && !checkPlayerIDentered())
        return false;
    return SaveGameSettings(false);
}

bool GameSettingsEditor::CancelButton_Click() {
    return checkPlayerIDentered();
}

void GameSettingsEditor::cmdQuit_Click() {
    db_.closeDatabase();
    log_.writeLog(0, QStringLiteral("Quit program"));
    log_.discardFile();
    host_.endProgram();
}

void GameSettingsEditor::cmdHelp_Click() {
    host_.showHelp(helpTopic);
}

QStringList GameSettingsEditor::savedValues() const {
    const SettingsControls& c = controls_;
    QHash<QString, QString> value;
    auto put = [&value](const char* column, const QString& text) {
        value.insert(QString::fromLatin1(column), text);
    };
    put("custom_qz_topranking", !c.chkRanking.value       ? QStringLiteral("0")
                                : c.chkRankingTop10.value ? QStringLiteral("10")
                                                          : QStringLiteral("99"));
    put("custom_qz_showgoto", flag(c.chkMovement[1]));
    put("custom_qz_askpincode", flag(c.chkAsk[0]));
    put("custom_qz_askdeal", flag(c.chkAsk[3]));
    put("custom_qz_askbid", flag(c.chkAsk[4]));
    put("custom_qz_askplay", flag(c.chkAsk[5]));
    put("custom_qz_askconfirmation", flag(c.chkAsk[6]));
    put("custom_qz_scoringtype", c.optScoring[2].value ? QStringLiteral("2") : QStringLiteral("0"));
    put("custom_qz_gametype", flag(c.chkGameType));
    put("custom_qz_scoreacrosspair", flag(c.chkAcrossField));
    put("custom_qz_tdpin", c.txtTDPIN.isEmpty() ? defaultTdPin : c.txtTDPIN);
    put("custom_qz_askplayerid", flag(c.chkAsk[1]));
    put("custom_qz_asklead", flag(c.chkAsk[2]));
    put("custom_qz_includedeal", flag(c.chkIncludeDeal));
    put("custom_qz_makableformat", flag(c.optMakableFormat[1]));
    put("custom_qz_includemakable", flag(c.chkIncludeMakable));
    put("custom_qz_pointtodeclarer", flag(c.chkPointtoDeclarer));
    put("custom_qz_showboardmatrix", flag(c.chkShowBoardMatrix));
    put("custom_qz_rotatedirections", flag(c.chkRotatedirection));
    put("custom_qz_overridedefault", flag(c.chkOverrideDefault));
    put("custom_qz_autowebpublish", flag(c.chkAutoWebPublish));
    put("custom_qz_inputmethod", QString::number(selectedIndex(c.optInput)));
    put("custom_qz_feedbackstyle",
        c.chkFeedback.value ? QString::number(selectedIndex(c.optFeedback)) : QStringLiteral("-1"));
    put("custom_qz_recapresult", flag(c.chkRecap));
    put("custom_qz_roundsummary", flag(c.chkRoundSummary));
    put("custom_qz_permitresultchange",
        c.chkChangeResult.value && c.chkRoundSummary.value ? QStringLiteral("1") : QStringLiteral("0"));
    put("custom_qz_shownames", flag(c.chkShowNames));

    QStringList values;
    for (const char* column : savedSettingColumns)
        values << value.value(QString::fromLatin1(column));
    return values;
}

QString GameSettingsEditor::settingsSetList() const {
    return qzc::settingsSetList(savedValues());
}

bool GameSettingsEditor::SaveGameSettings(bool toIni) {
    if (!controls_.txtTDPIN.isEmpty() && !isFourDigitPin(controls_.txtTDPIN)) {
        refuse(kPinRule);
        return false;
    }
    if (toIni)
        return saveToIni(savedValues());
    // Read again: the director may have been asked meanwhile.
    keepLockedSettings();
    return saveToDatabase(savedValues());
}

bool GameSettingsEditor::saveToIni(const QStringList& values) {
    for (std::size_t i = 0; i < savedSettingColumns.size(); ++i) {
        const QString key = GameSettings::iniKeyOf(QString::fromLatin1(savedSettingColumns[i]));
        if (!config_.writeDefault(key, values[static_cast<qsizetype>(i)])) {
            log_.writeLog(
                0, QStringLiteral("Fails to write ") + key + QStringLiteral(" to ") + config_.ini().path(),
                QStringLiteral("SaveGameSettings"), true);
            refuse(kSaveFailed);
            return false;
        }
    }
    return true;
}

bool GameSettingsEditor::saveToDatabase(const QStringList& values) {
    bool changed = false;
    for (std::size_t i = 0; i < savedSettingColumns.size(); ++i) {
        const QString column = QString::fromLatin1(savedSettingColumns[i]);
        const QString stored = settings_.getGameSetting(column);
        const QString& value = values[static_cast<qsizetype>(i)];
        if (column == QLatin1String("custom_qz_tdpin"))
            changed = changed || value != stored;
        else
            changed = changed || StrToInt(value) != StrToInt(stored);
    }
    if (!changed && !event_.isNewEvent)
        return true;

    bool saved = false;
    {
        // The row and the reload flags of the tables stand or fall together.
        DbTransaction transaction(db_);
        if (!transaction.isActive())
            log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                          QStringLiteral("Save QZ game settings"), true);
        saved = transaction.isActive() && writeSettingsRow(db_, qzc::settingsSetList(values)) &&
                setflagloadsetup(db_, false);
        if (saved)
            saved = transaction.commit();
    }
    // Told only once the transaction has ended: while the box is up the terminals are
    // answered, and their results must not go into a transaction that is rolled back.
    if (!saved) {
        refuse(kSaveFailed);
        return false;
    }
    host_.RefreshTableStatus();
    settings_.loadStoredSettings(db_, event_.tablePresent);
    host_.gameSettingsSaved();
    return true;
}

void GameSettingsEditor::refuse(const QString& text) {
    messages_.showMsg(text, event_.settingsDialogMode, kExclamationOk, helpTopic);
}

} // namespace qzc
