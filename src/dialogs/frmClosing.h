#pragma once

#include "dialogs/ProgramDialog.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace qzc {

class Config;
class Help;

/// "Are you sure that you want to quit?", asked when the director closes the main window.
/// The answer is the form's Tag: "NO" after No (or the close box), empty after Yes.
class frmClosing final : public ProgramDialog {
    Q_OBJECT
public:
    static constexpr qint16 helpTopic = 12;

    explicit frmClosing(Help* help, QWidget* parent = nullptr);

    /// The close handling of the main window: true when the program is to quit. Without
    /// asking when HideFinishedWindow is set; otherwise the question is shown modally, and
    /// with an answer (Yes or No) a tick in "Do not show this message again" writes the ini
    /// key HideFinishedWindow and sets the flag. Closed without an answer (the close box,
    /// Escape, the program's end) it stores nothing and the program stays.
    static bool confirmQuit(Config& config, Help* help, QWidget* parent = nullptr);

    QString tag() const;
    bool hideFinishedTicked() const;
    /// Yes or No was pressed.
    bool answered() const { return answered_; }

    void Form_Load();
    void cmdButton_Click(int index);
    /// The Help button and F1 (as the key comes up).
    void cmdHelp_Click() override;

    QLabel* Label1 = nullptr;
    QLabel* labMsg = nullptr;
    QCheckBox* chkHideFinished = nullptr;
    std::array<QPushButton*, 2> cmdButton{};
    QPushButton* cmdHelp = nullptr;

protected:
    /// The close box and Escape: no answer, the program stays.
    void reject() override;

private:
    Help* help_;
    bool answered_ = false;
};

} // namespace qzc
