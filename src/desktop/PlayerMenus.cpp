#include "desktop/PlayerMenus.h"

#include "core/DesktopHost.h"
#include "dialogs/frmEditPlayer.h"
#include "dialogs/frmPlayerName.h"

#include <QFileDialog>

namespace qzc {

PlayerMenus::PlayerMenus(const Services& services, QWidget* window)
    : s_(services), window_(window), commands_(services.commands) {
    chooseNamesFile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Import player names"), QString(),
                                            QStringLiteral("Comma delimited file (*.csv *.txt)"));
    };
    // The open list follows the terminals' registrations.
    services.commands.names.setRegisteredNamesReloaded([this] {
        if (playerDialog_ != nullptr && playerDialog_->isVisible())
            playerDialog_->registeredPlayersChanged();
    });
}

PlayerMenus::~PlayerMenus() {
    s_.commands.names.setRegisteredNamesReloaded({});
    // The dialogs work with the commands; none may outlive them.
    delete playerDialog_.data();
    delete preferencesDialog_.data();
}

frmEditPlayer* PlayerMenus::playerDialog() const {
    return playerDialog_.data();
}

frmPlayerName* PlayerMenus::preferencesDialog() const {
    return preferencesDialog_.data();
}

void PlayerMenus::mnu_import_player_name_Click() {
    const QString file = chooseNamesFile(window_);
    if (file.isEmpty())
        return;
    commands_.importPlayerNames(file);
}

void PlayerMenus::mnu_pincodes_Click() {
    commands_.mnu_pincodes_Click();
}

void PlayerMenus::mnu_playername_Click() {
    // Closed, so deleted once its own handlers and its name change's have returned.
    if (playerDialog_ != nullptr)
        playerDialog_->close();
    const PlayerNameCommands::Services& c = s_.commands;
    const RegisteredPlayersEditor::Services services{{c.db, c.log, c.messages, c.names, c.config, c.clock},
                                                     c.gameData};
    playerDialog_ = new frmEditPlayer(services, commands_, s_.help, c.desktop.shownSectionId(), window_);
    playerDialog_->show();
}

void PlayerMenus::mnu_sys_player_names_Click() {
    if (preferencesDialog_ == nullptr)
        preferencesDialog_ = new frmPlayerName(s_.config, s_.commands.messages, s_.help, window_);
    preferencesDialog_->show();
    preferencesDialog_->raise();
    preferencesDialog_->activateWindow();
}

} // namespace qzc
