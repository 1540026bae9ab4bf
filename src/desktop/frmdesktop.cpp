#include "desktop/frmdesktop.h"

#include "core/Log.h"
#include "core/MessageBox.h"
#include "gamedata/GameData.h"
#include "terminal/BaseStation.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace qzc {

namespace {

const QString kLinkUp = QStringLiteral("OK");
const QString kLinkDown = QStringLiteral("N/A");
const QString kReconnectMessage = QStringLiteral("No response from base station. Please reconnect it.");
constexpr qint16 kExclamationOk = 48;

void setStatusColour(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

void setButtonColour(QPushButton* button, const QColor& colour) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, colour);
    button->setPalette(palette);
    button->setAutoFillBackground(true);
}

} // namespace

frmdesktop::frmdesktop(Log& log, MessageBox& messages) : log_(log), messages_(messages) {
    setObjectName(QStringLiteral("frmdesktop"));
    setWindowTitle(QStringLiteral("Base Station"));

    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);
    auto* label1 = new QLabel(QStringLiteral("Section"), central);
    label1->setObjectName(QStringLiteral("Label1"));
    cboSection = new QComboBox(central);
    cboSection->setObjectName(QStringLiteral("cboSection"));
    auto* label2 = new QLabel(QStringLiteral("Base station"), central);
    label2->setObjectName(QStringLiteral("Label2"));
    txtbaseStationStatus = new QLineEdit(kLinkDown, central);
    txtbaseStationStatus->setObjectName(QStringLiteral("txtbaseStationStatus"));
    txtbaseStationStatus->setReadOnly(true);
    txtbaseStationStatus->setAlignment(Qt::AlignCenter);
    txtbaseStationStatus->setAutoFillBackground(true);
    setStatusColour(txtbaseStationStatus, QColor(255, 0, 0));
    layout->addWidget(label1, 0, 0);
    layout->addWidget(cboSection, 0, 1);
    cmdGame = new QPushButton(central);
    cmdGame->setObjectName(QStringLiteral("cmdGame"));
    connect(cmdGame, &QPushButton::clicked, this, &frmdesktop::cmdGame_Click);
    // Its command, the start of a section's new movement, comes with the movement commands.
    cmdUpdateMove = new QPushButton(QStringLiteral("Start New Movement"), central);
    cmdUpdateMove->setObjectName(QStringLiteral("cmdUpdateMove"));
    cmdUpdateMove->setVisible(false);
    layout->addWidget(label2, 0, 2);
    layout->addWidget(txtbaseStationStatus, 0, 3);
    layout->addWidget(cmdGame, 0, 4);
    layout->addWidget(cmdUpdateMove, 0, 5);
    layout->setRowStretch(1, 1);
    setCentralWidget(central);

    buildMenus();
    showGameState();

    timerAnalyzeGameDB.setObjectName(QStringLiteral("timerAnalyzeGameDB"));
    timerAnalyzeGameDB.setInterval(1000);

    timerResetbaseStation.setObjectName(QStringLiteral("timerResetbaseStation"));
    timerResetbaseStation.setInterval(1000);
    connect(&timerResetbaseStation, &QTimer::timeout, this, &frmdesktop::timerResetbaseStation_Timer);
}

frmdesktop::~frmdesktop() = default;

void frmdesktop::buildMenus() {
    QMenu* mnusystem = menuBar()->addMenu(QStringLiteral("System"));
    mnusystem->setObjectName(QStringLiteral("mnusystem"));
    QMenu* mnusyscomm = mnusystem->addMenu(QStringLiteral("Communication"));
    mnusyscomm->setObjectName(QStringLiteral("mnusyscomm"));
    QMenu* mnu_sys_channel = mnusyscomm->addMenu(QStringLiteral("Channel"));
    mnu_sys_channel->setObjectName(QStringLiteral("mnu_sys_channel"));

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

    mnusyscomm_start = mnusyscomm->addAction(QStringLiteral("Start base station"));
    mnusyscomm_start->setObjectName(QStringLiteral("mnusyscomm_start"));
    connect(mnusyscomm_start, &QAction::triggered, this, &frmdesktop::mnusyscomm_start_Toggle);

    // Enabled while a section owes results of its stanza; its command comes with the
    // movement commands.
    mnu_sys_forcedstart = mnusystem->addAction(QStringLiteral("Forced start"));
    mnu_sys_forcedstart->setObjectName(QStringLiteral("mnu_sys_forcedstart"));
    mnu_sys_forcedstart->setEnabled(false);

    QMenu* mnu_game = menuBar()->addMenu(QStringLiteral("Game"));
    mnu_game->setObjectName(QStringLiteral("mnu_game"));
    const char* const captions[] = {"Start", "Pause", "Stop"};
    const QKeySequence keys[] = {QKeySequence(Qt::Key_F2), QKeySequence(), QKeySequence(Qt::Key_F4)};
    for (int index = 0; index < static_cast<int>(mnu_game_mode.size()); ++index) {
        QAction* item = mnu_game->addAction(QLatin1String(captions[index]));
        item->setObjectName(QStringLiteral("mnu_game_mode_%1").arg(index));
        item->setCheckable(true);
        item->setShortcut(keys[index]);
        item->setVisible(index != 1);
        connect(item, &QAction::triggered, this, [this, index] { mnu_game_mode_Click(index); });
        mnu_game_mode[static_cast<std::size_t>(index)] = item;
    }
}

void frmdesktop::Form_Load(const QString& eventFileName, qint16 channel) {
    mnusyscomm_start->setVisible(false);
    setChannelChecked(channel);
    setWindowTitle(getVersionText() + QStringLiteral(" - ") + eventFileName);
}

void frmdesktop::mnusyscomm_start_Click() {
    if (baseStation_ == nullptr)
        return;
    for (;;) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (baseStation_->bs_OpenCommunication(true))
                return;
        }
        log_.writeLog(0, QStringLiteral("Fails to connect base station"),
                      QStringLiteral("menu - start communcation"));
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            return;
    }
}

void frmdesktop::mnusyscomm_start_Toggle() {
    if (baseStation_ != nullptr)
        baseStation_->bs_OpenCommunication(!linkIsUp());
}

void frmdesktop::mnu_sys_channel_no_Click(int index) {
    if (index < 1 || index > 16)
        return;
    setChannelChecked(static_cast<qint16>(index));
    if (baseStation_ != nullptr && linkIsUp())
        baseStation_->setBaseStationChannel(static_cast<qint16>(index));
}

void frmdesktop::startTimerResetbaseStation() {
    timerResetbaseStation.start();
}

void frmdesktop::timerResetbaseStation_Timer() {
    if (baseStation_ == nullptr) {
        timerResetbaseStation.stop();
        return;
    }
    const QString source = QStringLiteral("timerResetbaseStation");
    const qint32 interval = timerResetbaseStation.interval();
    const qint32 wait = baseStation_->settings().resetWaitMs();
    resetElapsedMs_ += interval;

    if (resetElapsedMs_ == interval) {
        if (linkIsUp())
            baseStation_->bs_OpenCommunication(false);
        log_.writeLog(0, QStringLiteral("Stop game by timer"), source);
        mnu_game_mode_Click(2);
    }
    if (resetElapsedMs_ == wait + interval || resetElapsedMs_ == 2 * wait + interval) {
        if (!linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer"), source);
            baseStation_->bs_OpenCommunication(true);
        }
        if (linkIsUp()) {
            log_.writeLog(0, QStringLiteral("Start game by timer: succeed"), source);
            resetRestartOk_ = true;
        }
    }
    if (resetElapsedMs_ <= 2 * wait + interval && !resetRestartOk_)
        return;

    timerResetbaseStation.stop();
    resetElapsedMs_ = 0;
    bool restart = resetRestartOk_;
    resetRestartOk_ = false;
    while (!restart) {
        log_.writeLog(0, QStringLiteral("Fails to reset the communication automatically"), source);
        if (!messages_.showMsg(kReconnectMessage, QString(), kExclamationOk, -1))
            return;
        restart = baseStation_->bs_OpenCommunication(true);
    }
    gameModeByTimer_ = true;
    mnu_game_mode_Click(0);
    gameModeByTimer_ = false;
}

void frmdesktop::mnu_game_mode_Click(int index) {
    for (int i = 0; i < static_cast<int>(mnu_game_mode.size()); ++i) {
        if (i != index)
            mnu_game_mode[static_cast<std::size_t>(i)]->setChecked(false);
    }
    if (index == 2) {
        if (gameMode_ != 0) {
            log_.writeLog(0, QStringLiteral("Stop game."));
            gameMode_ = 0;
        }
        showGameState();
        timerAnalyzeGameDB.stop();
    } else if (index == 1) {
        gameMode_ = 2;
    } else if (index == 0) {
        log_.writeLog(0, QStringLiteral("Start game."));
        setBusy(true);
        if (gameData_ != nullptr)
            gameData_->preloadMovementMessage();
        setBusy(false);
        if (!linkIsUp())
            mnusyscomm_start_Click();
        if (linkIsUp() && baseStation_ != nullptr) {
            baseStation_->resetIdleTimes();
            gameMode_ = 1;
            showGameState();
            timerAnalyzeGameDB.start();
        } else {
            log_.writeLog(0, QStringLiteral("Fail to start game."));
        }
    } else {
        return;
    }
    mnu_game_mode[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmdesktop::cmdGame_Click() {
    mnu_game_mode_Click(cmdGame->text().toUpper().contains(QStringLiteral("STOP")) ? 2 : 0);
}

void frmdesktop::showGameState() {
    const bool running = gameMode_ == 1;
    cmdGame->setText(running ? QStringLiteral("Stop (F4)") : QStringLiteral("Start (F2)"));
    setButtonColour(cmdGame, running ? QColor(255, 0, 0) : QColor(0, 255, 0));
}

void frmdesktop::restartAnalyzeTimer(int intervalMs) {
    timerAnalyzeGameDB.stop();
    timerAnalyzeGameDB.setInterval(intervalMs);
    timerAnalyzeGameDB.start();
}

std::optional<qint16> frmdesktop::selectedSectionId() const {
    const int index = cboSection->currentIndex();
    if (index < 0)
        return std::nullopt;
    return static_cast<qint16>(cboSection->itemData(index).toInt());
}

bool frmdesktop::isUpdateMoveVisible() const {
    return !cmdUpdateMove->isHidden();
}

void frmdesktop::setUpdateMoveVisible(bool visible) {
    cmdUpdateMove->setVisible(visible);
}

void frmdesktop::setForcedStartEnabled(bool enabled) {
    mnu_sys_forcedstart->setEnabled(enabled);
}

void frmdesktop::showNotice(const QString& caption, const QString& text) {
    // Not modal: the terminals are answered while the director reads it.
    auto* box = new QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("frmNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void frmdesktop::letEventsRun() {
    QCoreApplication::processEvents();
}

qint16 frmdesktop::firstCheckedChannel() const {
    for (int index = 1; index <= 16; ++index) {
        if (mnu_sys_channel_no[static_cast<std::size_t>(index)]->isChecked())
            return static_cast<qint16>(index);
    }
    return 16;
}

void frmdesktop::setChannelChecked(qint16 channel) {
    if (channel < 1 || channel > 16)
        return;
    // The action group unticks every other channel.
    mnu_sys_channel_no[static_cast<std::size_t>(channel)]->setChecked(true);
}

void frmdesktop::showLinkStatus(bool up) {
    txtbaseStationStatus->setText(up ? kLinkUp : kLinkDown);
    setStatusColour(txtbaseStationStatus, up ? QColor(0, 255, 0) : QColor(255, 0, 0));
    mnusyscomm_start->setText(up ? QStringLiteral("Stop base station")
                                 : QStringLiteral("Start base station"));
}

bool frmdesktop::linkIsUp() const {
    return txtbaseStationStatus->text() == kLinkUp;
}

void frmdesktop::setBusy(bool busy) {
    // Nested busy periods keep the hourglass until the outermost one ends.
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void frmdesktop::bringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

} // namespace qzc
