#pragma once

#include <QDialog>

namespace qzc {

/// What the program's dialogs share: F1 does what the dialog's Help button does, the close
/// box answers as Escape does, through the dialog's reject() (a dialog whose close box
/// means one of its buttons overrides reject()), and the whole frame opens on the screen.
class ProgramDialog : public QDialog {
    Q_OBJECT
public:
    /// Whether F1 opens the help as the key goes down or as it comes up.
    enum class HelpKey { Down, Up };

    /// The Help button: opens the dialog's help topic.
    virtual void cmdHelp_Click() = 0;

protected:
    ProgramDialog(HelpKey helpKey, QWidget* parent);

    /// F1, and Enter, which presses the button that has the focus: also one without
    /// auto-default, which a dialog sets where Enter in a box must not press a button.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    HelpKey helpKey_;
};

} // namespace qzc
