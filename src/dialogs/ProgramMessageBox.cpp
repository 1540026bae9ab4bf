#include "dialogs/ProgramMessageBox.h"

#include "dialogs/frmMsg.h"

namespace qzc {

ProgramMessageBox::ProgramMessageBox() = default;
ProgramMessageBox::~ProgramMessageBox() = default;

bool ProgramMessageBox::show(const Request& request) {
    modeless_.reset();
    auto box = std::make_unique<frmMsg>(help_);
    box->Form_Load();
    box->prepare(request);
    loaded_ = box.get();
    if (request.modeless) {
        box->show();
        modeless_ = std::move(box);
        return false;
    }
    box->exec();
    return box->firstButtonPressed();
}

void ProgramMessageBox::showStandard(const QString& text, const QString& caption, StandardIcon icon) {
    standard_.showStandardMsg(text, caption, icon);
}

QString ProgramMessageBox::askText(const QString& prompt, const QString& caption) {
    return standard_.InputBox(prompt, caption);
}

} // namespace qzc
