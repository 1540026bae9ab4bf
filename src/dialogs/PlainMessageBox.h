#pragma once

#include "core/MessageBox.h"

namespace qzc {

/// The message boxes on the platform's standard dialog, until the program's own box
/// exists.
class PlainMessageBox final : public MessageBox {
protected:
    bool show(const Request& request) override;
    void showStandard(const QString& text, const QString& caption, StandardIcon icon) override;
    QString askText(const QString& prompt, const QString& caption) override;
};

} // namespace qzc
