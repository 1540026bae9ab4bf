#pragma once

#include "gamedata/PlayerNameCommands.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QWidget;

namespace qzc {

class Help;
class frmEditPlayer;
class frmPlayerName;

/// The main window's player, name and PIN commands: "Import player names", "Display PIN
/// codes", "Display player names" and the name "Preferences". It owns the dialogs they open.
class PlayerMenus final : public QObject {
    Q_OBJECT
public:
    struct Services {
        PlayerNameCommands::Services commands;
        /// The preferences change it.
        Config& config;
        Help* help;
    };

    /// window is the main window: the dialogs' parent.
    PlayerMenus(const Services& services, QWidget* window);
    ~PlayerMenus() override;

    /// Asks for a names file; a cancelled choice does nothing.
    void mnu_import_player_name_Click();
    void mnu_pincodes_Click();
    /// Opens the registered-players dialog afresh: an open one closes first.
    void mnu_playername_Click();
    /// Shows the name preferences (the open dialog, when there is one).
    void mnu_sys_player_names_Click();

    PlayerNameCommands& commands() { return commands_; }
    frmEditPlayer* playerDialog() const;
    frmPlayerName* preferencesDialog() const;

    /// The open-file dialog of the import: the chosen file, or empty when cancelled.
    std::function<QString(QWidget* parent)> chooseNamesFile;

private:
    Services s_;
    QWidget* window_;
    PlayerNameCommands commands_;
    QPointer<frmEditPlayer> playerDialog_;
    QPointer<frmPlayerName> preferencesDialog_;
};

} // namespace qzc
