#include "core/SecondInstance.h"

#include "core/MessageBox.h"
#include "platform/SingleInstance.h"

namespace qzc {

bool claimSingleInstance(SingleInstance& instance, MessageBox& messages) {
    if (instance.tryBecomeFirst())
        return true;
    messages.showStandardMsg(
        QStringLiteral("QZC is already open. Please close the current session before starting a new one."),
        QString(), MessageBox::StandardIcon::None);
    instance.activatePrevInstance();
    return false;
}

} // namespace qzc
