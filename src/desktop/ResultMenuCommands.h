#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

namespace qzc {

class Config;
class DesktopHost;
class GameData;
class GameSettings;
class Help;
class Log;
class MessageBox;
class ScoreDb;
class ShellOpener;
class frmDialog;
class frmdesktop;
struct EventInfo;

/// The main window's commands that show the director the results: the board traveller
/// ("Display results per board") and a pair's personal recap sheet.
class ResultMenuCommands final : public QObject {
    Q_OBJECT
public:
    struct Services {
        Config& config;
        Log& log;
        ScoreDb& db;
        GameSettings& settings;
        EventInfo& event;
        GameData& gameData;
        MessageBox& messages;
        Help* help;
        ShellOpener& shell;
        frmdesktop& window;
    };

    ResultMenuCommands(const Services& services, QObject* parent);
    ~ResultMenuCommands() override;

    /// Shows the board traveller, modeless; one already open is brought forward.
    void mnu_resultperboard_Click();
    /// The personal recap of the pair typed in the pair box, in the section shown: as EW
    /// when the EW box is ticked, as NS when it is not, on both sides while it is disabled.
    void mnu_personal_recaps_Click(std::optional<qint16> sectionId, const QString& pairText, bool ewEnabled,
                                   bool ewTicked);

    /// The board traveller while it is open.
    frmDialog* boardTraveller() const;

private:
    Services services_;
    QPointer<frmDialog> traveller_;
};

} // namespace qzc
