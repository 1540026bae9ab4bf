#pragma once

#include "dialogs/HelpKeyWatch.h"

#include <QDialog>

namespace qzc {

/// What the program's dialogs share: F1 does what the dialog's Help button does, wherever the
/// focus is in the dialog; the close box answers as Escape does, through the dialog's
/// reject() (a dialog whose close box means one of its buttons overrides reject()); the whole
/// frame opens on the screen; and a dialog closed or deleted later is not deleted while a
/// handler of its own may wait.
class ProgramDialog : public QDialog {
    Q_OBJECT
public:
    /// Whether F1 opens the help as the key goes down or as it comes up.
    enum class HelpKey { Down, Up };

    /// The Help button: opens the dialog's help topic.
    virtual void cmdHelp_Click() = 0;

protected:
    ProgramDialog(HelpKey helpKey, QWidget* parent);

    /// Enter presses the button that has the focus: also one without auto-default, which a
    /// dialog sets where Enter in a box must not press a button.
    void keyPressEvent(QKeyEvent* event) override;
    /// A deletion asked for while an inner event loop runs (a message box, the online help
    /// check) waits until the events are back in the outermost loop: a handler of this
    /// dialog may be waiting in that inner loop, and would go on with a deleted dialog.
    bool event(QEvent* event) override;

private:
    HelpKey helpKey_;
    HelpKeyWatch helpKeyWatch_;
    /// Set while a deletion waits for the outermost loop.
    QMetaObject::Connection deletionWaits_;
};

} // namespace qzc
