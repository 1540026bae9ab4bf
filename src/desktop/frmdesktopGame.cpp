// The main window's side of the game: the director's game and link commands go to the game
// session, and the window shows what the session reports.
#include "core/Config.h"
#include "desktop/frmdesktop.h"
#include "dialogs/frmMovement.h"
#include "session/GameSession.h"
#include "terminal/BaseStation.h"

#include <QAction>
#include <QComboBox>

namespace qzc {

void frmdesktop::cmdGame_Click() {
    Close_PopUp();
    session_->command(session_->isRunning() ? GameCommand::Stop : GameCommand::Start);
}

void frmdesktop::mnu_game_mode_Click(int index) {
    if (index >= 0 && index < static_cast<int>(mnu_game_mode.size()))
        session_->command(static_cast<GameCommand>(index));
}

bool frmdesktop::bs_OpenCommunication() {
    return session_->toggleLink();
}

void frmdesktop::mnu_sys_channel_no_Click(int index) {
    if (index < 1 || index > 16)
        return;
    const auto channel = static_cast<qint16>(index);
    setChannelChecked(channel);
    // The channel of this run and of the next; the base station takes it now when the link
    // is up, else at the next link start.
    config_.writeMain(QStringLiteral("Channel"), QString::number(channel));
    if (baseStation_ == nullptr)
        return;
    baseStation_->setChannel(channel);
    if (session_->linkIsUp())
        baseStation_->setBaseStationChannel(channel);
}

void frmdesktop::showGameCommand(std::optional<GameCommand> command) {
    for (std::size_t item = 0; item < mnu_game_mode.size(); ++item)
        mnu_game_mode[item]->setChecked(command && static_cast<std::size_t>(*command) == item);
}

void frmdesktop::askBoardCounts(qint16& boardsPerRound, qint16& totalBoards) {
    frmMovement(boardsPerRound, totalBoards, messages_, this).exec();
}

void frmdesktop::showFirstSectionAndView() {
    selectFirst(cboSection, &frmdesktop::cboSection_Click);
    selectFirst(cboView, &frmdesktop::cboView_Click);
}

void frmdesktop::selectFirst(QComboBox* box, void (frmdesktop::*handler)()) {
    if (box->count() == 0)
        return;
    if (box->currentIndex() == 0)
        (this->*handler)();
    else
        box->setCurrentIndex(0);
}

} // namespace qzc
