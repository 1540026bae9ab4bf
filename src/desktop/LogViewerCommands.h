#pragma once

#include <QObject>
#include <QPointer>

namespace qzc {

class GameSettings;
class Log;
class frmLog;
class frmdesktop;
struct EventInfo;

/// The log window of the main window: opened and closed by F9 (or Ctrl+F9), and "Decode
/// msg", which turns the logged radio message on the line of the viewer's caret into
/// readable text.
class LogViewerCommands final : public QObject {
    Q_OBJECT
public:
    struct Services {
        Log& log;
        const EventInfo& event;
        const GameSettings& settings;
    };

    LogViewerCommands(const Services& services, frmdesktop& window);

    /// Closes the log window when it is open, else opens it without waiting; the main
    /// window keeps the focus unless its result pop-up is shown.
    void mnu_main_showlog_Click();
    /// Nothing while the log window is closed.
    void mnumain_smartmessage_Click();

    frmLog* logWindow() const;

private:
    Services s_;
    frmdesktop& window_;
    QPointer<frmLog> logWindow_;
};

} // namespace qzc
