#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace qzc {

class Config;
class EventPublisher;
class GameData;
class GameSettings;
class Log;
struct LinkSettings;
class MessageBox;
class ProgramLauncher;
class ScoreDb;
class ShellOpener;
class frmdesktop;
struct EventInfo;

/// The main window's report and export commands of the File menu: "Print settings",
/// "Hand Records", "Display temporary results", "Export deals" and "Logged results". Each writes its file,
/// then starts or opens what was written; whatever it needs and does not find (a section, a file, a program)
/// is told to the director.
class ReportCommands final : public QObject {
    Q_OBJECT
public:
    struct Services {
        const Config& config;
        Log& log;
        const EventInfo& event;
        ScoreDb& db;
        const GameSettings& settings;
        GameData& gameData;
        MessageBox& messages;
        ShellOpener& shell;
        ProgramLauncher& launcher;
        EventPublisher& publisher;
        /// The base-station link's settings: History tells whether received messages are logged.
        const LinkSettings& link;
    };

    ReportCommands(const Services& services, frmdesktop& window);

    /// The printer dialog, then the main window printed on one page.
    void mnu_printscreen_Click();
    /// The event result file, then the hand-record program.
    void mnu_handprint_Click();
    /// The traveller file of every board, five boards side by side, opened.
    void mnu_printresults_Click();
    /// The deal file of the selected section, the event result file, then Kestrow on them.
    void mnu_exportdeal_Click();
    /// The results the terminals sent, rebuilt from the log.
    void mnuloggedResults_Click();

    /// The printer dialog: true when the director chose where to print (a printer or a
    /// file); the platform's dialog unless replaced (tests).
    std::function<bool(QPrinter& printer, QWidget* parent)> choosePrinter;

private:
    void tell(const QString& text);

    Services s_;
    frmdesktop& window_;
};

} // namespace qzc
