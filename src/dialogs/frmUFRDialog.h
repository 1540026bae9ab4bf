#pragma once

#include "dialogs/ProgramDialog.h"

#include <array>

class QLabel;
class QPushButton;

namespace qzc {

class Help;

/// What the director does after the scoring program changed the movement of a running
/// event and the old movement was removed from the grid. It only informs; OK closes and
/// deletes it.
class frmUFRDialog final : public ProgramDialog {
    Q_OBJECT
public:
    static constexpr qint16 helpTopic = 27;

    explicit frmUFRDialog(Help* help, QWidget* parent = nullptr);

    void cmdButton_Click(int index);
    /// The Help button and F1.
    void cmdHelp_Click() override;

    std::array<QLabel*, 6> labMsg{};
    std::array<QLabel*, 1> picStore{};
    std::array<QPushButton*, 1> cmdButton{};
    QPushButton* cmdHelp = nullptr;

private:
    Help* help_;
};

} // namespace qzc
