#include "dialogs/ProgramMessageBox.h"

#include "dialogs/frmMsg.h"

namespace qzc {

ProgramMessageBox::ProgramMessageBox() = default;
ProgramMessageBox::~ProgramMessageBox() {
    for (const QPointer<frmMsg>& box : retired_)
        delete box.data();
}

void ProgramMessageBox::retireModeless() {
    if (modeless_ == nullptr)
        return;
    modeless_->hide();
    std::erase_if(retired_, [](const QPointer<frmMsg>& box) { return box.isNull(); });
    retired_.emplace_back(modeless_.release());
    retired_.back()->deleteLater();
}

bool ProgramMessageBox::show(const Request& request) {
    retireModeless();
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
