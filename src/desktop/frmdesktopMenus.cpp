// The main window's menus and the commands of its File, Play, Settings and Help items. The
// report, base-station, new-movement and log commands live in classes of their own and are
// connected here.
#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/GameSettings.h"
#include "core/Guarded.h"
#include "core/MessageBox.h"
#include "desktop/BaseStationCommands.h"
#include "desktop/LogViewerCommands.h"
#include "desktop/MovementCommands.h"
#include "desktop/PlayGrid.h"
#include "desktop/PlayerMenus.h"
#include "desktop/ReportCommands.h"
#include "desktop/ResultMenuCommands.h"
#include "desktop/frmdesktop.h"
#include "dialogs/HelpButton.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmSettings.h"
#include "gamedata/GameDataAnalysis.h"
#include "reports/EventPublisher.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace qzc {

namespace {

QMenu* addMenu(QMenu* parent, QMenuBar* bar, const char* name, const char* caption) {
    QMenu* menu =
        parent != nullptr ? parent->addMenu(QLatin1String(caption)) : bar->addMenu(QLatin1String(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
    QAction* item = menu->addAction(QLatin1String(caption));
    item->setObjectName(QLatin1String(name));
    item->setShortcut(key);
    return item;
}

constexpr qint16 kWarningStyle = 48;

QKeySequence ctrl(Qt::Key key) {
    return QKeySequence(Qt::CTRL | key);
}

} // namespace

void frmdesktop::buildMenus() {
    buildFileMenu();
    buildGameMenus();
    buildSystemMenu();

    QMenu* mnu_top_help = addMenu(nullptr, menuBar(), "mnu_top_help", "&Help");
    mnu_sys_about = addItem(mnu_top_help, "mnu_sys_about", "About");
    mnu_help = addItem(mnu_top_help, "mnu_help", "&Help", QKeySequence(Qt::Key_F1));
    // Hidden; the help itself turns to the online help when the ini file names it.
    QAction* mnu_help_online = addItem(mnu_top_help, "mnu_help_online", "Online help");
    mnu_help_online->setVisible(false);
    connect(mnu_sys_about, &QAction::triggered, this, &frmdesktop::mnu_sys_about_Click);
    connect(mnu_help, &QAction::triggered, this, &frmdesktop::mnu_help_Click);
    connect(mnu_help_online, &QAction::triggered, this, &frmdesktop::mnu_help_Click);

    using Station = BaseStationCommands;
    mnumaintenance = addMenu(nullptr, menuBar(), "mnumaintenance", "Maintenance");
    connectCommand(
        addItem(mnumaintenance, "mnumn_bs_rx", "Base Station - receive msg", QKeySequence(Qt::Key_F7)),
        &DesktopCommands::baseStation, &Station::mnumn_bs_rx_Click);
    connectCommand(
        addItem(mnumaintenance, "mnumn_bs_tx", "Base Station - send msg", QKeySequence(Qt::Key_F8)),
        &DesktopCommands::baseStation, &Station::mnumn_bs_tx_Click);
    connectCommand(addItem(mnumaintenance, "mnumain_smartmessage", "Decode msg", QKeySequence(Qt::Key_F12)),
                   &DesktopCommands::logViewer, &LogViewerCommands::mnumain_smartmessage_Click);
    connectCommand(addItem(mnumaintenance, "mnumn_bs_knock", "Base Station knock"),
                   &DesktopCommands::baseStation, &Station::mnumn_bs_knock_Click);
}

template <typename Commands>
void frmdesktop::connectCommand(QAction* item, Commands* DesktopCommands::*group,
                                void (Commands::*command)()) {
    connect(item, &QAction::triggered, this, [this, item, group, command] {
        Commands* commands = commands_.*group;
        if (commands != nullptr)
            guarded(log_, item->objectName(), [commands, command] { (commands->*command)(); });
    });
}

void frmdesktop::buildFileMenu() {
    QMenu* mnufile = addMenu(nullptr, menuBar(), "mnufile", "&File");
    using Players = PlayerMenus;
    connectCommand(addItem(mnufile, "mnu_import_player_name", "Import player names", ctrl(Qt::Key_I)),
                   &DesktopCommands::players, &Players::mnu_import_player_name_Click);
    connectCommand(addItem(mnufile, "mnu_printscreen", "Print settings", ctrl(Qt::Key_U)),
                   &DesktopCommands::reports, &ReportCommands::mnu_printscreen_Click);
    mnu_resultperboard =
        addItem(mnufile, "mnu_resultperboard", "Display results per &board", ctrl(Qt::Key_B));
    mnu_handprint = addItem(mnufile, "mnu_handprint", "Hand Records", ctrl(Qt::Key_H));
    connectCommand(mnu_handprint, &DesktopCommands::reports, &ReportCommands::mnu_handprint_Click);
    connectCommand(addItem(mnufile, "mnu_printresults", "Display temporary results", ctrl(Qt::Key_T)),
                   &DesktopCommands::reports, &ReportCommands::mnu_printresults_Click);
    connectCommand(addItem(mnufile, "mnu_pincodes", "Display PIN &codes", ctrl(Qt::Key_C)),
                   &DesktopCommands::players, &Players::mnu_pincodes_Click);
    connectCommand(addItem(mnufile, "mnu_playername", "Display player names", ctrl(Qt::Key_N)),
                   &DesktopCommands::players, &Players::mnu_playername_Click);
    mnu_personal_recaps = addItem(mnufile, "mnu_personal_recaps", "Personal recaps", ctrl(Qt::Key_R));
    mnu_makeresultfile = addItem(mnufile, "mnu_makeresultfile", "Web publishing", ctrl(Qt::Key_W));
    mnu_exportdeal = addItem(mnufile, "mnu_exportdeal", "Export deals");
    connectCommand(mnu_exportdeal, &DesktopCommands::reports, &ReportCommands::mnu_exportdeal_Click);
    connectCommand(addItem(mnufile, "mnuloggedResults", "Logged results", ctrl(Qt::Key_L)),
                   &DesktopCommands::reports, &ReportCommands::mnuloggedResults_Click);
    mnuexit = addItem(mnufile, "mnuexit", "&Quit", QKeySequence(Qt::SHIFT | Qt::Key_F4));
    connect(mnu_makeresultfile, &QAction::triggered, this, &frmdesktop::mnu_makeresultfile_Click);
    connect(mnu_resultperboard, &QAction::triggered, resultCommands_,
            &ResultMenuCommands::mnu_resultperboard_Click);
    connect(mnu_personal_recaps, &QAction::triggered, this, [this] {
        resultCommands_->mnu_personal_recaps_Click(shownSectionId(), txtPairNo->text(),
                                                   chkEWPair->isEnabled(), chkEWPair->isChecked());
    });
    connect(mnuexit, &QAction::triggered, this, &frmdesktop::mnuexit_Click);

    // The Play menu is hidden; its refresh key works all the same.
    mnu_play = addMenu(nullptr, menuBar(), "mnu_play", "&Play");
    mnuplay_refresh = addItem(mnu_play, "mnuplay_refresh", "Refresh table", QKeySequence(Qt::Key_F5));
    connectCommand(addItem(mnu_play, "mnuplay_updatemove", "Update movement"), &DesktopCommands::movement,
                   &MovementCommands::mnuplay_updatemove_Click);
    addAction(mnuplay_refresh);
    connect(mnuplay_refresh, &QAction::triggered, this, &frmdesktop::mnuplay_refresh_Click);
}

void frmdesktop::buildGameMenus() {
    QMenu* mnu_gamesettings = addMenu(nullptr, menuBar(), "mnu_gamesettings", "&Game settings");
    const char* const captions[] = {"Start", "Pause", "Stop"};
    const QKeySequence keys[] = {QKeySequence(Qt::Key_F2), QKeySequence(), QKeySequence(Qt::Key_F4)};
    for (int index = 0; index < static_cast<int>(mnu_game_mode.size()); ++index) {
        QAction* item = mnu_gamesettings->addAction(QLatin1String(captions[index]));
        item->setObjectName(QStringLiteral("mnu_game_mode_%1").arg(index));
        item->setCheckable(true);
        item->setShortcut(keys[index]);
        item->setVisible(index != 1);
        connect(item, &QAction::triggered, this, [this, index] { mnu_game_mode_Click(index); });
        mnu_game_mode[static_cast<std::size_t>(index)] = item;
    }
    mnu_game_settings = addItem(mnu_gamesettings, "mnu_game_settings", "Settings");
    connect(mnu_game_settings, &QAction::triggered, this, &frmdesktop::mnu_game_settings_Click);
}

void frmdesktop::buildSystemMenu() {
    QMenu* mnusystem = addMenu(nullptr, menuBar(), "mnusystem", "System");
    QMenu* mnusyscomm = addMenu(mnusystem, nullptr, "mnusyscomm", "Communication");
    QMenu* mnu_sys_channel = addMenu(mnusyscomm, nullptr, "mnu_sys_channel", "Channel");

    // Item 0 is a hidden placeholder; items 1 to 16 are the radio channels, one ticked.
    channelGroup_ = new QActionGroup(this);
    channelGroup_->setExclusive(true);
    for (int index = 0; index < static_cast<int>(mnu_sys_channel_no.size()); ++index) {
        QAction* item =
            mnu_sys_channel->addAction(index == 0 ? QStringLiteral("dummy") : QString::number(index));
        item->setObjectName(QStringLiteral("mnu_sys_channel_no_%1").arg(index));
        item->setCheckable(true);
        item->setVisible(index != 0);
        item->setData(index);
        channelGroup_->addAction(item);
        mnu_sys_channel_no[static_cast<std::size_t>(index)] = item;
    }
    connect(channelGroup_, &QActionGroup::triggered, this,
            [this](QAction* item) { mnu_sys_channel_no_Click(item->data().toInt()); });
    // Hidden: F9 and Ctrl+F9 reach the log window through the window's keys.
    mnu_main_showlog = addItem(mnusyscomm, "mnu_main_showlog", "Log", QKeySequence(Qt::Key_F9));
    connectCommand(mnu_main_showlog, &DesktopCommands::logViewer, &LogViewerCommands::mnu_main_showlog_Click);
    mnusyscomm_start = addItem(mnusyscomm, "mnusyscomm_start", "Start base station");
    connect(mnusyscomm_start, &QAction::triggered, this, [this] { bs_OpenCommunication(); });

    mnu_sys_default = addItem(mnusystem, "mnu_sys_default", "Default settings");
    connectCommand(addItem(mnusystem, "mnu_sys_player_names", "Preferences"), &DesktopCommands::players,
                   &PlayerMenus::mnu_sys_player_names_Click);
    mnu_sys_loadmovement = addItem(mnusystem, "mnu_sys_loadmovement", "Load movement");
    mnu_sys_firmware_version = addItem(mnusystem, "mnu_sys_firmware_version", "Base station version");
    connectCommand(mnu_sys_firmware_version, &DesktopCommands::baseStation,
                   &BaseStationCommands::mnu_sys_firmware_version_Click);
    connectCommand(addItem(mnusystem, "mnu_sys_firmware", "Upgrade firmware"), &DesktopCommands::baseStation,
                   &BaseStationCommands::mnu_sys_firmware_Click);
    mnu_sys_forcedstart = addItem(mnusystem, "mnu_sys_forcedstart", "Forced start");
    mnu_sys_forcedstart->setEnabled(false);
    connectCommand(mnu_sys_forcedstart, &DesktopCommands::movement,
                   &MovementCommands::mnu_sys_forcedstart_Click);
    connect(mnu_sys_default, &QAction::triggered, this, &frmdesktop::mnu_sys_default_Click);
    connect(mnu_sys_loadmovement, &QAction::triggered, this, &frmdesktop::mnu_sys_loadmovement_Click);
}

void frmdesktop::mnu_makeresultfile_Click() {
    if (publisher_ != nullptr)
        guarded(log_, QStringLiteral("makeresultfile"), [this] { publisher_->mnu_makeresultfile_Click(); });
}

void frmdesktop::showAllDeals() {
    Close_PopUp();
    if (publisher_ == nullptr)
        return;
    guarded(log_, QStringLiteral("labShowAllDeal"), [this] {
        const ProgramStart start = publisher_->showAllDeals();
        if (!start.message.isEmpty())
            messages_.showMsg(start.message, QString(), kWarningStyle, -1);
    });
}

void frmdesktop::mnuplay_refresh_Click() {
    guarded(log_, QStringLiteral("Refresh table"), [this] {
        gridPlay->RefreshTableStatus();
        gridPlay->cboView_Click();
    });
}

void frmdesktop::mnu_sys_loadmovement_Click() {
    if (analysis_ != nullptr)
        guarded(log_, QStringLiteral("Load movement"), [this] { analysis_->AnalyzeGameDB(); });
}

void frmdesktop::cmdHelp_Click() {
    Close_PopUp();
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

void frmdesktop::mnu_help_Click() {
    openHelpTopic(help_, 0);
}

void frmdesktop::mnuexit_Click() {
    Q_EMIT quitRequested();
}

void frmdesktop::mnu_sys_about_Click() {
    // Closed, so deleted once its own handlers have returned (its Help may be waiting).
    if (aboutDialog_ != nullptr)
        aboutDialog_->close();
    aboutDialog_ = new frmAbout({help_, db_, log_, event_, messages_, config_}, this);
    aboutDialog_->show();
}

void frmdesktop::showMaintenanceMenu() {
    mnumaintenance->menuAction()->setVisible(true);
}

void frmdesktop::closeSettingsDialog() {
    // Hidden, not closed (its close box asks as Cancel does), and deleted once its own
    // handlers have returned: its Help may be waiting.
    if (settingsDialog_ != nullptr) {
        settingsDialog_->hide();
        settingsDialog_->deleteLater();
    }
    settingsDialog_.clear();
}

void frmdesktop::showSettingsDialog() {
    // A settings row never saved is shown with the defaults, which only Save puts in force.
    const GameSettingsEditor::Services services{settings_, db_,    config_,       log_,
                                                messages_, event_, settingsHost_, true};
    settingsDialog_ = new frmSettings(services, this);
    settingsDialog_->setAttribute(Qt::WA_DeleteOnClose);
    settingsDialog_->setModal(false);
    settingsDialog_->show();
}

void frmdesktop::mnu_game_settings_Click() {
    closeSettingsDialog();
    event_.settingsDialogMode = QStringLiteral("Game Settings");
    settings_.loadStoredSettings(db_, event_.tablePresent);
    showSettingsDialog();
}

void frmdesktop::mnu_sys_default_Click() {
    closeSettingsDialog();
    event_.settingsDialogMode = QStringLiteral("Default Game Settings");
    settings_.loadDefaultGameSettings(config_);
    showSettingsDialog();
}

} // namespace qzc
