#pragma once

#include "core/MessageBox.h"
#include "dialogs/PlainMessageBox.h"
#include "dialogs/frmMsg.h"

#include <QPointer>
#include <memory>
#include <vector>

namespace qzc {

class Help;

/// The message boxes of the running program: its own box frmMsg for questions and
/// warnings, the platform's standard box for the few start-up errors.
///
/// Each box is loaded afresh. A box shown without waiting stays until a button hides it or
/// the next box replaces it; a box that waits for its answer is never closed by a later
/// one, which is shown above it instead.
class ProgramMessageBox final : public MessageBox {
public:
    ProgramMessageBox();
    ~ProgramMessageBox() override;
    ProgramMessageBox(const ProgramMessageBox&) = delete;
    ProgramMessageBox& operator=(const ProgramMessageBox&) = delete;

    /// The help that the boxes' Help buttons open; set once the configuration is read.
    void attachHelp(Help& help) { help_ = &help; }
    /// The box last loaded, while it exists.
    frmMsg* loadedBox() const { return loaded_.data(); }

protected:
    bool show(const Request& request) override;
    void showStandard(const QString& text, const QString& caption, StandardIcon icon) override;
    QString askText(const QString& prompt, const QString& caption) override;

private:
    /// Hides the box shown without waiting and deletes it once control is back in the event
    /// loop: its own Help may be what shows the next box.
    void retireModeless();

    Help* help_ = nullptr;
    std::unique_ptr<frmMsg> modeless_;
    /// Boxes hidden whose deletion is still pending.
    std::vector<QPointer<frmMsg>> retired_;
    QPointer<frmMsg> loaded_;
    PlainMessageBox standard_;
};

} // namespace qzc
