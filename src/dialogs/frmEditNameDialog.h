#pragma once

#include "dialogs/ProgramDialog.h"
#include "gamedata/NameMaintenance.h"

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qzc {

class Help;
class Log;
class RegisteredPlayersEditor;

/// "Change ID?" or "Change name?": the new member ID or name of one seat of the
/// registered-players list. Modeless; Yes and No both close it, Yes after the change was
/// checked and, when accepted, written.
class frmEditNameDialog final : public ProgramDialog {
    Q_OBJECT
public:
    /// listRebuilt runs after the editor rebuilt its list (a change written, or refused as the
    /// seats changed meanwhile), before the dialog closes.
    frmEditNameDialog(RegisteredPlayersEditor& editor, const NameChangePrompt& prompt, Help* help, Log& log,
                      std::function<void()> listRebuilt, QWidget* parent = nullptr);

    /// Index 0 "Yes" applies the value typed, 1 "No" only closes.
    void cmdButton_Click(int index);
    /// The Help button and F1 (as the key comes up): opens the help page; the focus stays
    /// where it was (a click on Help then gives it to Yes).
    void cmdHelp_Click() override;

    /// "ID" or "NAME", the form's Tag.
    const QString& tag() const { return prompt_.mode; }
    /// Yes is being handled (a question may be open): the dialog must not be closed now.
    bool answering() const { return answering_; }

    QLineEdit* textNewValue = nullptr;
    QLabel* labMsg = nullptr;
    QLabel* labNewValueLeft = nullptr;
    QLabel* labNewValueRight = nullptr;
    QLabel* labNewValueBelow = nullptr;
    std::array<QPushButton*, 2> cmdButton{};
    QPushButton* cmdHelp = nullptr;

private:
    RegisteredPlayersEditor& editor_;
    NameChangePrompt prompt_;
    Help* help_;
    Log& log_;
    std::function<void()> listRebuilt_;
    bool answering_ = false;
};

} // namespace qzc
