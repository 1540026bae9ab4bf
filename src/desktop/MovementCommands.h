#pragma once

#include "session/NewMovement.h"

#include <QObject>

namespace qzc {

class MessageBox;
class frmdesktop;

/// The main window's commands that start the next stanza of the selected section: the
/// "Start New Movement" button, the "Update movement" item and the forced start, which
/// asks first because the tabletops still owe results of the stanza.
class MovementCommands final : public QObject {
    Q_OBJECT
public:
    struct Services {
        ScoreDb& db;
        Log& log;
        GameData& gameData;
        GameSession& session;
        MessageBox& messages;
    };

    MovementCommands(const Services& services, frmdesktop& window);

    void mnuplay_updatemove_Click();
    void cmdUpdateMove_Click();
    void mnu_sys_forcedstart_Click();

private:
    MessageBox& messages_;
    frmdesktop& window_;
    NewMovement newMovement_;
};

} // namespace qzc
