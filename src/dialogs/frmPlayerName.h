#pragma once

#include "core/NamePreferences.h"
#include "dialogs/ProgramDialog.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qzc {

class Help;
class MessageBox;

/// "Preferences": the player-name preferences, saved to the ini file. Modeless; Save and
/// Cancel close it.
class frmPlayerName final : public ProgramDialog {
    Q_OBJECT
public:
    frmPlayerName(Config& config, MessageBox& messages, Help* help, QWidget* parent = nullptr);

    /// Index 0 "Save" writes the preferences, any other ("Cancel") writes nothing; both close.
    void cmdButton_Click(int index);
    /// The Help button and F1 (as the key comes up).
    void cmdHelp_Click() override;

    std::array<QRadioButton*, 3> optPlayerName{};
    std::array<QRadioButton*, 2> optPrinting{};
    std::array<QRadioButton*, 2> optoverwritename{};
    QCheckBox* chkHideGSwindow = nullptr;
    std::array<QPushButton*, 2> cmdButton{};
    QPushButton* cmdHelp = nullptr;

private:
    void Form_Load();

    NamePreferences preferences_;
    Config& config_;
    MessageBox& messages_;
    Help* help_;
    QButtonGroup* optPlayerNameGroup_ = nullptr;
};

} // namespace qzc
