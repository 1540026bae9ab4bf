#include "desktop/frmdesktop.h"

#include "core/Config.h"
#include "core/EventInfo.h"
#include "core/Guarded.h"
#include "core/Log.h"
#include "desktop/LogViewerCommands.h"
#include "desktop/MovementCommands.h"
#include "desktop/PlayGrid.h"
#include "desktop/ResultMenuCommands.h"
#include "desktop/ResultPopUp.h"
#include "dialogs/HelpButton.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmClosing.h"
#include "dialogs/frmSettings.h"
#include "dialogs/frmUFRDialog.h"
#include "gamedata/GameData.h"
#include "platform/Twips.h"
#include "session/GameSession.h"
#include "terminal/BaseStation.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace qzc {

namespace {

const QString kLinkDown = QStringLiteral("N/A");
const QString kAntiChecksum = QStringLiteral(" anti-checksum ");
constexpr qint16 kHelpTopic = 4;

void setBackColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
    return named(new QLabel(caption, parent), name);
}

QFrame* boxFrame(const char* name, QWidget* parent) {
    auto* frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::Box);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

frmdesktop::frmdesktop(const DesktopServices& services)
    : config_(services.config), log_(services.log), db_(services.db), settings_(services.settings),
      event_(services.event), gameData_(services.gameData), messages_(services.messages),
      help_(services.help), settingsHost_(services.settingsHost) {
    setObjectName(QStringLiteral("frmdesktop"));
    setWindowTitle(QStringLiteral("Base Station"));
    const ResultMenuCommands::Services commands{config_,   log_,      db_,   settings_,      event_,
                                                gameData_, messages_, help_, services.shell, *this};
    resultCommands_ = new ResultMenuCommands(commands, this);
    const int offset = twipsToPixels(120, logicalDpiX());
    frameKeeper_ = new FrameKeeper(*this, QPoint(offset, offset));
    buildControls();
    buildMenus();
    connectControls();
    showGameRunning(false);

    const auto timer = [this](QTimer& t, const char* name, int intervalMs) {
        t.setParent(this);
        t.setObjectName(QLatin1String(name));
        t.setInterval(intervalMs);
    };
    timer(timerRefreshGrid, "timerRefreshGrid", PlayGrid::refreshIntervalMs);
    // Never switched on; kept so the window holds every timer of its design.
    timer(timerClock, "timerClock", 500);
    timer(timerProgress, "timerProgress", 1000);
    timer(TimerScoreDB, "TimerScoreDB", 60000);
    connect(&timerRefreshGrid, &QTimer::timeout, this, [this] { gridPlay->timerRefreshGrid_Timer(); });
}

frmSettings* frmdesktop::settingsDialog() const {
    return settingsDialog_.data();
}

frmdesktop::~frmdesktop() {
    // The dialogs report to this window's objects: none may outlive it.
    delete settingsDialog_.data();
    delete ufrDialog_.data();
    delete aboutDialog_.data();
    delete resultCommands_;
}

void frmdesktop::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* top = new QHBoxLayout;
    top->addWidget(label("Label1", QStringLiteral("Section"), central));
    cboSection = named(new QComboBox(central), "cboSection");
    cboSection->setMinimumContentsLength(4);
    top->addWidget(cboSection);
    top->addWidget(label("Label3", QStringLiteral("Showing"), central));
    cboView = named(new QComboBox(central), "cboView");
    top->addWidget(cboView);
    labView = label("labView", QStringLiteral("Boards"), central);
    top->addWidget(labView);
    cmdView = named(new QPushButton(QStringLiteral("Change view"), central), "cmdView");
    top->addWidget(cmdView);
    top->addWidget(label("Label2", QStringLiteral("Base station"), central));
    txtbaseStationStatus = named(new QLineEdit(kLinkDown, central), "txtbaseStationStatus");
    txtbaseStationStatus->setReadOnly(true);
    txtbaseStationStatus->setAlignment(Qt::AlignCenter);
    txtbaseStationStatus->setMaximumWidth(60);
    setBackColour(txtbaseStationStatus, QPalette::Base, QColor(255, 0, 0));
    top->addWidget(txtbaseStationStatus);

    Frame1 = named(new QGroupBox(central), "Frame1");
    auto* pairs = new QHBoxLayout(Frame1);
    pairs->addWidget(label("Label5", QStringLiteral("Pair no."), Frame1));
    txtPairNo = named(new QLineEdit(Frame1), "txtPairNo");
    txtPairNo->setMaximumWidth(50);
    pairs->addWidget(txtPairNo);
    pairs->addWidget(label("Label6", QStringLiteral("EW no."), Frame1));
    chkEWPair = named(new QCheckBox(Frame1), "chkEWPair");
    pairs->addWidget(chkEWPair);
    cmdPickPair = named(new QPushButton(QStringLiteral("High-  light"), Frame1), "cmdPickPair");
    pairs->addWidget(cmdPickPair);
    top->addWidget(Frame1);
    top->addStretch(1);

    frameBtn = named(new QGroupBox(QStringLiteral("Table-tops"), central), "frameBtn");
    auto* buttons = new QVBoxLayout(frameBtn);
    buttons->addWidget(label("Label7", QStringLiteral("Click to "), frameBtn));
    cmdGame = named(new QPushButton(frameBtn), "cmdGame");
    buttons->addWidget(cmdGame);
    buttons->addWidget(label("Label8", QStringLiteral("communication"), frameBtn));
    top->addWidget(frameBtn);
    cmdUpdateMove = named(new QPushButton(QStringLiteral("Start New Movement"), central), "cmdUpdateMove");
    setBackColour(cmdUpdateMove, QPalette::Button, QColor(0, 255, 0));
    cmdUpdateMove->setVisible(false);
    top->addWidget(cmdUpdateMove);
    cmdHelp = named(new QPushButton(QStringLiteral("Help"), central), "cmdHelp");
    top->addWidget(cmdHelp);
    layout->addLayout(top);

    // The grid with its notices and the result pop-up over it.
    auto* gridArea = new QWidget(central);
    auto* stack = new QStackedLayout(gridArea);
    stack->setStackingMode(QStackedLayout::StackAll);
    gridPlay = new PlayGrid(gameData_, db_, log_, event_, *this, gridArea);
    stack->addWidget(gridPlay);
    layout->addWidget(gridArea, 1);

    frameGridMsg = boxFrame("frameGridMsg", gridArea);
    labGridMsg = label("labGridMsg", QStringLiteral("Loading......"), frameGridMsg);
    (new QHBoxLayout(frameGridMsg))->addWidget(labGridMsg);
    frameGridMsg->hide();
    frameProgress = boxFrame("frameProgress", gridArea);
    labProgress = label("labProgress", QStringLiteral("Message"), frameProgress);
    (new QHBoxLayout(frameProgress))->addWidget(labProgress);
    frameProgress->hide();

    const ResultPopUp::Services popUpServices{gameData_, settings_, log_, messages_, *this, config_, help_};
    framePopUp = new ResultPopUp(popUpServices, gridArea);
    connect(
        gridPlay, &PlayGrid::cellDetailsWanted, framePopUp,
        [this](const QString& letters, qint16 table, qint16 round, const QString& boards, const QPoint& at) {
            framePopUp->ShowCellDetails(letters, table, round, boards, at, gridPlay->geometry());
        });
    connect(framePopUp, &ResultPopUp::showAllDealsClicked, this, &frmdesktop::showAllDeals);

    labClock = label("labClock", QString(), central);
    layout->addWidget(labClock);
    setCentralWidget(central);
    resize(900, 560);
}

void frmdesktop::connectControls() {
    connect(cmdGame, &QPushButton::clicked, this, &frmdesktop::cmdGame_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmdesktop::cmdHelp_Click);
    connect(cmdView, &QPushButton::clicked, this, &frmdesktop::cmdView_Click);
    connect(cmdUpdateMove, &QPushButton::clicked, this, [this] {
        if (commands_.movement != nullptr)
            guarded(log_, QStringLiteral("cmdUpdateMove"),
                    [this] { commands_.movement->cmdUpdateMove_Click(); });
    });
    connect(cboSection, &QComboBox::currentIndexChanged, this, [this] {
        guarded(log_, QStringLiteral("cboSection"), [this] { gridPlay->cboSection_Click(); });
    });
    connect(cboView, &QComboBox::currentIndexChanged, this, &frmdesktop::cboView_Click);
    connect(cmdPickPair, &QPushButton::clicked, this,
            [this] { gridPlay->cmdPickPair_Click(txtPairNo->text(), chkEWPair->isChecked()); });
    connect(txtPairNo, &QLineEdit::textChanged, this,
            [this](const QString& text) { gridPlay->txtPairNo_Change(text); });
    connect(txtPairNo, &QLineEdit::returnPressed, cmdPickPair, &QPushButton::click);
    txtPairNo->installEventFilter(this);
}

void frmdesktop::Form_Load(qint16 channel) {
    // Export deals needs the deals of the score database.
    if (!event_.tablePresent.present(SharedTable::HandRecord)) {
        mnu_exportdeal->setVisible(false);
        log_.writeLog(0, QStringLiteral("No menu option, Export deals"));
    }
    // Hidden: the maintenance menu (the log viewer shows it), the link and log items, the
    // Play menu (its refresh key works all the same), the firmware version. Disabled until
    // a pair number is typed (personal recaps) or a section owes results (forced start).
    mnumaintenance->menuAction()->setVisible(false);
    mnusyscomm_start->setVisible(false);
    mnu_play->menuAction()->setVisible(false);
    mnu_sys_firmware_version->setVisible(false);
    mnu_main_showlog->setVisible(false);
    mnu_personal_recaps->setEnabled(false);
    mnu_sys_forcedstart->setEnabled(false);
    // No view shown and no pair highlighted yet (the grid's heading was set when it was
    // built).
    labView->clear();
    gridPlay->clearHighlight();
    cmdPickPair->setEnabled(false);
    // The views, none chosen yet, so no handler runs.
    {
        const QSignalBlocker blocker(cboView);
        cboView->clear();
        cboView->addItem(QStringLiteral("Boards"));
        cboView->addItem(QStringLiteral("Pairs"));
        cboView->setCurrentIndex(-1);
    }
    // The game-mode item of the session's state, and the radio channel.
    showGameCommand(session_->commandOfState());
    framePopUp->hide();
    setChannelChecked(channel);
    // The window's place, inside the screen, and its caption.
    frameKeeper_->place();
    setWindowTitle(getVersionText() + QStringLiteral(" - ") + event_.eventFileName);
    // The help topic of the window (the result pop-up holds its own).
    cmdHelp->setProperty("Tag", QString::number(kHelpTopic));
    // The deal links and the hand-record item need the all-deal file of the registry.
    const QString dealFile = config_.qzcPath;
    const bool hasDealFile = !dealFile.isEmpty() && QFileInfo::exists(dealFile);
    framePopUp->showDealLinks(hasDealFile);
    mnu_handprint->setVisible(hasDealFile);
    log_.writeLog(0, QStringLiteral("Deal file found in registry: ") + dealFile);

    timerRefreshGrid.start();
}

void frmdesktop::cmdView_Click() {
    Close_PopUp();
    if (cboView->count() > 0)
        cboView->setCurrentIndex(cboView->currentIndex() == 0 ? 1 : 0);
}

void frmdesktop::cboView_Click() {
    guarded(log_, QStringLiteral("cboView"), [this] { gridPlay->cboView_Click(); });
}

void frmdesktop::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Form_QueryUnload(cancel, event->spontaneous() ? closedByUser : closedByProgram);
    event->setAccepted(!cancel);
}

void frmdesktop::Form_QueryUnload(bool& cancel, int unloadMode) {
    if (unloadMode != closedByUser)
        return;
    cancel = true;
    if (frmClosing::confirmQuit(config_, help_, this))
        Q_EMIT quitRequested();
}

void frmdesktop::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_F6 && baseStation_ != nullptr) {
        bool& antiChecksum = baseStation_->linkState().antiChecksum;
        antiChecksum = !antiChecksum;
        QString caption = windowTitle();
        if (antiChecksum)
            caption += kAntiChecksum;
        else
            caption.remove(kAntiChecksum);
        setWindowTitle(caption);
        return;
    }
    // The log window, whose menu item is hidden.
    if (event->key() == Qt::Key_F9 && (event->modifiers() & ~Qt::ControlModifier) == Qt::NoModifier &&
        commands_.logViewer != nullptr) {
        guarded(log_, QStringLiteral("mnu_main_showlog"),
                [this] { commands_.logViewer->mnu_main_showlog_Click(); });
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void frmdesktop::chooseFirstViewIfNone() {
    if (cboView->currentIndex() < 0 && cboView->count() > 0)
        cboView->setCurrentIndex(0);
}

bool frmdesktop::popUpShown() const {
    return !framePopUp->isHidden();
}

void frmdesktop::mousePressEvent(QMouseEvent* event) {
    Close_PopUp();
    QMainWindow::mousePressEvent(event);
}

bool frmdesktop::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPairNo && event->type() == QEvent::MouseButtonPress)
        Close_PopUp();
    return QMainWindow::eventFilter(watched, event);
}

// DesktopHost: the sections and the grid

void frmdesktop::RefreshTableStatus() {
    gridPlay->RefreshTableStatus();
}

void frmdesktop::queueGridRefresh(qint16 round) {
    gridPlay->refreshQueue().appendOnce(round);
}

void frmdesktop::showSection(qint16 sectionId) {
    if (cboSection->count() == 0)
        return;
    const qint16 wanted = sectionId != 0 ? sectionId : static_cast<qint16>(cboSection->itemData(0).toInt());
    for (int index = 0; index < cboSection->count(); ++index) {
        if (cboSection->itemData(index).toInt() != wanted)
            continue;
        // Selecting another entry rebuilds the grid through the chooser's handler.
        if (index == cboSection->currentIndex())
            cboSection_Click();
        else
            cboSection->setCurrentIndex(index);
        return;
    }
}

std::optional<qint16> frmdesktop::shownSectionId() const {
    const int index = cboSection->currentIndex();
    if (index < 0)
        return std::nullopt;
    return static_cast<qint16>(cboSection->itemData(index).toInt());
}

void frmdesktop::showNotice(const QString& caption, const QString& text) {
    // Not modal: the terminals are answered while the director reads it.
    auto* box = new QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("frmNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    keepFrameOnScreen(*box);
    box->show();
}

// PlayGridHost

std::optional<SectionListEntry> frmdesktop::selectedSection() const {
    const int index = cboSection->currentIndex();
    if (index < 0)
        return std::nullopt;
    return SectionListEntry{cboSection->itemText(index).trimmed(),
                            static_cast<qint16>(cboSection->itemData(index).toInt())};
}

std::optional<GridView> frmdesktop::selectedView() const {
    switch (cboView->currentIndex()) {
    case 0:
        return GridView::Boards;
    case 1:
        return GridView::Pairs;
    default:
        return std::nullopt;
    }
}

void frmdesktop::fillSectionChoice(const QList<SectionListEntry>& sections) {
    {
        const QSignalBlocker blocker(cboSection);
        cboSection->clear();
        for (const SectionListEntry& entry : sections)
            cboSection->addItem(entry.text, entry.sectionId);
        cboSection->setCurrentIndex(-1);
    }
    cboSection->setCurrentIndex(0);
}

void frmdesktop::Close_PopUp() {
    framePopUp->Close_PopUp();
}

void frmdesktop::showStanzaState(StanzaState state, const QString& source) {
    session_->showStanzaState(state, source);
}

void frmdesktop::showNextStanzaControls(StanzaState state) {
    mnu_sys_forcedstart->setEnabled(state == StanzaState::ResultsOwed);
    cmdUpdateMove->setVisible(state == StanzaState::ReadyForNextStanza);
}

void frmdesktop::enablePersonalRecaps(bool enabled) {
    if (mnu_personal_recaps->isVisible())
        mnu_personal_recaps->setEnabled(enabled);
}

void frmdesktop::enablePickPair(bool enabled) {
    cmdPickPair->setEnabled(enabled);
}

void frmdesktop::enableEWPair(bool enabled) {
    if (!enabled)
        chkEWPair->setChecked(false);
    chkEWPair->setEnabled(enabled);
}

void frmdesktop::showGridMessage(const QString& caption) {
    labGridMsg->setText(caption);
    frameGridMsg->adjustSize();
    const QWidget* area = frameGridMsg->parentWidget();
    frameGridMsg->move(area->width() / 2 - frameGridMsg->width() / 2,
                       area->height() / 2 - frameGridMsg->height() / 2 - twipsToPixels(360, logicalDpiX()));
    frameGridMsg->show();
    frameGridMsg->raise();
}

void frmdesktop::hideGridMessage() {
    frameGridMsg->hide();
}

void frmdesktop::setViewCaption(const QString& caption) {
    labView->setText(caption);
}

void frmdesktop::InitGrid() {
    gridPlay->InitGrid();
}

void frmdesktop::cboSection_Click() {
    gridPlay->cboSection_Click();
}

void frmdesktop::showUFRDialog() {
    if (ufrDialog_ != nullptr)
        return;
    ufrDialog_ = new frmUFRDialog(help_, this);
    ufrDialog_->setAttribute(Qt::WA_DeleteOnClose);
    ufrDialog_->show();
}

// DesktopHost

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
    txtbaseStationStatus->setText(up ? QStringLiteral("OK") : kLinkDown);
    setBackColour(txtbaseStationStatus, QPalette::Base, up ? QColor(0, 255, 0) : QColor(255, 0, 0));
    mnusyscomm_start->setText(up ? QStringLiteral("Stop base station")
                                 : QStringLiteral("Start base station"));
}

void frmdesktop::showGameRunning(bool running) {
    cmdGame->setText(running ? QStringLiteral("Stop (F4)") : QStringLiteral("Start (F2)"));
    setBackColour(cmdGame, QPalette::Button, running ? QColor(255, 0, 0) : QColor(0, 255, 0));
}

void frmdesktop::bringToFront() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

} // namespace qzc
