#pragma once

#include "core/GameSettingsEditor.h"
#include "dialogs/ProgramDialog.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace qzc {

/// The game settings dialog: shows the controls of a GameSettingsEditor and hands every
/// click to it. Its mode comes from EventInfo::settingsDialogMode, read when it is built.
/// The start-up shows it modally, the menus modeless.
class frmSettings final : public ProgramDialog {
    Q_OBJECT
public:
    explicit frmSettings(const GameSettingsEditor::Services& services, QWidget* parent = nullptr);
    ~frmSettings() override;

    /// The first dialog of a new event offers Save or Quit only.
    void offerQuitInsteadOfCancel();

    GameSettingsEditor& editor() { return editor_; }

    /// Cancel, the close button and Esc: the dialog closes only when Cancel may close it.
    void reject() override;
    /// The "?" button and F1 (as the key comes up): the dialog's help topic.
    void cmdHelp_Click() override;

private:
    void buildControls();
    void connectHandlers();
    void Form_Load();
    /// The director's ticks, selections and TD PIN into the editor's controls.
    void collectControls();
    /// The editor's controls onto the widgets.
    void showControls();
    /// Collects, runs one step of the editor, shows the outcome; anything thrown beneath
    /// is logged as a run-time error of source.
    template <typename Step> void handle(const QString& source, Step&& step);

    void anyControl_Click();
    void chkAsk_Click(int index);
    void chkRanking_Click();
    void chkRoundSummary_Click();
    void optScoring_Click(int index);
    void chkFeedback_Click();
    void chkIncludeDeal_Click();
    void chkIncludeMakable_Click();
    void txtTDPIN_Change();
    void OKButton_Click();
    void CancelButton_Click();
    void cmdQuit_Click();

    GameSettingsEditor editor_;
    Log& log_;

    QGroupBox* frameMovement = nullptr;
    QGroupBox* frameAsk = nullptr;
    QGroupBox* frameInput = nullptr;
    QGroupBox* frameScoring = nullptr;
    QGroupBox* frameFeedback = nullptr;
    std::array<QCheckBox*, 2> chkMovement{};
    QCheckBox* chkGameType = nullptr;
    std::array<QCheckBox*, 7> chkAsk{};
    std::array<QRadioButton*, 3> optInput{};
    std::array<QRadioButton*, 3> optScoring{};
    QCheckBox* chkAcrossField = nullptr;
    QCheckBox* chkFeedback = nullptr;
    std::array<QRadioButton*, 3> optFeedback{};
    QCheckBox* chkIncludeDeal = nullptr;
    QCheckBox* chkIncludeMakable = nullptr;
    std::array<QRadioButton*, 2> optMakableFormat{};
    QCheckBox* chkRanking = nullptr;
    QCheckBox* chkRankingTop10 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* chkRecap = nullptr;
    QCheckBox* chkShowNames = nullptr;
    QCheckBox* chkRoundSummary = nullptr;
    QCheckBox* chkChangeResult = nullptr;
    QCheckBox* chkAutoWebPublish = nullptr;
    QCheckBox* chkPointtoDeclarer = nullptr;
    QCheckBox* chkRotatedirection = nullptr;
    QCheckBox* chkShowBoardMatrix = nullptr;
    QCheckBox* chkOverrideDefault = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtTDPIN = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* cmdQuit = nullptr;
    QToolButton* cmdHelp = nullptr;

    QButtonGroup* chkAskGroup_ = nullptr;
    QButtonGroup* optInputGroup_ = nullptr;
    QButtonGroup* optScoringGroup_ = nullptr;
    QButtonGroup* optFeedbackGroup_ = nullptr;
    QButtonGroup* optMakableFormatGroup_ = nullptr;
};

} // namespace qzc
