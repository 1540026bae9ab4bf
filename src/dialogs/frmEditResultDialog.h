#pragma once

#include "dialogs/ProgramDialog.h"
#include "gamedata/ResultEditor.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qzc {

class Help;

/// The result edit dialog: one board result of the board traveller, changed through its
/// contract boxes or replaced by a ruling. A thin window over a ResultEditor: it shows the
/// editor's state and hands every click to it. Modeless; it closes itself after a save.
class frmEditResultDialog final : public ProgramDialog {
    Q_OBJECT
public:
    frmEditResultDialog(const ResultEditor::Services& services, Help* help, QWidget* parent);

    ResultEditor& editor() { return editor_; }
    /// The editor's state onto the controls (after describeResult).
    void showEditor();

    void cmdButton_Click(int index);
    void cmdRuling_Click();
    void chkRemark_Click();
    void cmdHelp_Click() override;

    QLabel* labMsg = nullptr;
    QGroupBox* frameContract = nullptr;
    QLineEdit* textContract = nullptr;
    QLineEdit* textDeclarer = nullptr;
    QLineEdit* textMade = nullptr;
    QLineEdit* textLead = nullptr;
    QPushButton* cmdRuling = nullptr;
    QGroupBox* frameRuling = nullptr;
    std::array<QRadioButton*, 20> optRulings{};
    QLabel* labRuleSep = nullptr;
    QGroupBox* frameRulingFree = nullptr;
    QCheckBox* chkRemark = nullptr;
    QLineEdit* textRemark = nullptr;
    std::array<QPushButton*, 2> cmdButton{};
    QPushButton* cmdHelp = nullptr;

Q_SIGNALS:
    /// The result was stored; the dialog closes next.
    void resultStored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    /// The director's entries into the editor.
    void collectControls();
    void showPanel();

    ResultEditor editor_;
    Help* help_;
    QButtonGroup* rulingGroup_ = nullptr;
};

} // namespace qzc
