#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace qzc {

class ScoreDb;

/// The 27 own settings that the game settings dialog edits, by their custom_qz_Settings
/// column, in the order in which they are saved (the order of the SET list).
inline constexpr std::array<const char*, 27> savedSettingColumns = {
    "custom_qz_topranking",
    "custom_qz_showgoto",
    "custom_qz_askpincode",
    "custom_qz_askdeal",
    "custom_qz_askbid",
    "custom_qz_askplay",
    "custom_qz_askconfirmation",
    "custom_qz_scoringtype",
    "custom_qz_gametype",
    "custom_qz_scoreacrosspair",
    "custom_qz_tdpin",
    "custom_qz_askplayerid",
    "custom_qz_asklead",
    "custom_qz_includedeal",
    "custom_qz_makableformat",
    "custom_qz_includemakable",
    "custom_qz_pointtodeclarer",
    "custom_qz_showboardmatrix",
    "custom_qz_rotatedirections",
    "custom_qz_overridedefault",
    "custom_qz_autowebpublish",
    "custom_qz_inputmethod",
    "custom_qz_feedbackstyle",
    "custom_qz_recapresult",
    "custom_qz_roundsummary",
    "custom_qz_permitresultchange",
    "custom_qz_shownames",
};

/// The TD PIN saved when none is given.
inline const QString defaultTdPin = QStringLiteral("4381");

/// True when text is a TD PIN: exactly four digits.
bool isFourDigitPin(const QString& text);

/// The SET list of the settings row from the saved values, given in savedSettingColumns
/// order: "custom_qz_topranking=10,custom_qz_showgoto=1,...", the TD PIN as a quoted text,
/// and "custom_qz_skipcheckIDexist=0" right after the player-ID item when that is not 1.
QString settingsSetList(const QStringList& values);

/// Writes the own settings row: inserts it when the table has none, then updates it with
/// setList. False when either statement fails (both are logged by execSQL).
bool writeSettingsRow(ScoreDb& db, const QString& setList);

} // namespace qzc
