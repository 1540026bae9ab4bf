#include "desktop/LogViewerCommands.h"

#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/NumberText.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmLog.h"
#include "terminal/MessageTrace.h"

#include <QPlainTextEdit>

namespace qzc {

LogViewerCommands::LogViewerCommands(const Services& services, frmdesktop& window)
    : s_(services), window_(window) {
    setObjectName(QStringLiteral("LogViewerCommands"));
}

frmLog* LogViewerCommands::logWindow() const {
    return logWindow_.data();
}

void LogViewerCommands::mnu_main_showlog_Click() {
    if (logWindow_ != nullptr) {
        delete logWindow_.data();
    } else {
        logWindow_ = new frmLog(s_.log, s_.event.logFilePath(), &window_);
        connect(logWindow_, &frmLog::maintenanceUnlocked, &window_, &frmdesktop::showMaintenanceMenu);
        connect(logWindow_, &frmLog::decodeRequested, this, &LogViewerCommands::mnumain_smartmessage_Click);
        logWindow_->Form_Load();
        logWindow_->show();
    }
    if (!window_.popUpShown())
        window_.activateWindow();
}

void LogViewerCommands::mnumain_smartmessage_Click() {
    if (logWindow_ == nullptr)
        return;
    QPlainTextEdit* box = logWindow_->txtLog;
    const bool individual = StrToInt(s_.settings.getGameSetting(QStringLiteral("custom_qz_gametype"))) == 1;
    const DecodedTrace decoded =
        decodeTraceAtCaret(box->toPlainText(), box->textCursor().position(), individual);
    box->setPlainText(decoded.text);
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(static_cast<int>(decoded.selectionStart));
    cursor.setPosition(static_cast<int>(decoded.selectionStart + decoded.selectionLength),
                       QTextCursor::KeepAnchor);
    box->setTextCursor(cursor);
    box->setFocus();
}

} // namespace qzc
