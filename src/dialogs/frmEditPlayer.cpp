#include "dialogs/frmEditPlayer.h"

#include "core/Guarded.h"
#include "core/NumberText.h"
#include "dialogs/HelpButton.h"
#include "dialogs/frmEditNameDialog.h"
#include "gamedata/PlayerNameCommands.h"
#include "widgets/FlexGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace qzc {

namespace {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const char* name, const QString& caption, QWidget* parent) {
    return named(new QLabel(caption, parent), QLatin1String(name));
}

// Widths of the columns Index (hidden), Table, Pair, Member ID and Name, in twips.
constexpr std::array<int, SeatNameList::columnCount> kColumnTwips = {0, 1000, 1000, 1500, 3000};

} // namespace

frmEditPlayer::frmEditPlayer(const RegisteredPlayersEditor::Services& services, PlayerNameCommands& commands,
                             Help* help, std::optional<qint16> shownSectionId, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), editor_(services), commands_(commands), log_(services.change.log),
      help_(help) {
    setObjectName(QStringLiteral("frmEditPlayer"));
    setWindowTitle(QStringLiteral("Player names"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connectHandlers();
    Form_Load(shownSectionId);
}

frmEditPlayer::~frmEditPlayer() {
    closeEditDialog();
}

frmEditNameDialog* frmEditPlayer::editDialog() const {
    return editDialog_.data();
}

void frmEditPlayer::buildControls() {
    auto* Frame2 = named(new QGroupBox(QStringLiteral("Names"), this), QStringLiteral("Frame2"));
    auto* sources = new QVBoxLayout(Frame2);
    optSourceGroup_ = new QButtonGroup(this);
    const std::array<QString, 2> sourceCaptions = {QStringLiteral("Current"), QStringLiteral("On file")};
    for (std::size_t i = 0; i < optSource.size(); ++i) {
        optSource[i] =
            named(new QRadioButton(sourceCaptions[i], Frame2), QStringLiteral("optSource_%1").arg(i));
        optSourceGroup_->addButton(optSource[i], static_cast<int>(i));
        sources->addWidget(optSource[i]);
    }
    optSource[0]->setChecked(true);

    auto* Frame1 = named(new QGroupBox(this), QStringLiteral("Frame1"));
    auto* filters = new QGridLayout(Frame1);
    chkNSPair = named(new QCheckBox(Frame1), QStringLiteral("chkNSPair"));
    chkEWPair = named(new QCheckBox(Frame1), QStringLiteral("chkEWPair"));
    chkNSPair->setChecked(true);
    chkEWPair->setChecked(true);
    filters->addWidget(chkNSPair, 0, 0);
    filters->addWidget(label("Label2", QStringLiteral("NS"), Frame1), 0, 1);
    filters->addWidget(chkEWPair, 1, 0);
    filters->addWidget(label("Label6", QStringLiteral("EW"), Frame1), 1, 1);

    txtRoundNo = named(new QLineEdit(QStringLiteral("1"), this), QStringLiteral("txtRoundNo"));
    QPalette grey = txtRoundNo->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    txtRoundNo->setPalette(grey);
    QFont big = txtRoundNo->font();
    big.setPointSize(18);
    txtRoundNo->setFont(big);
    txtRoundNo->setAlignment(Qt::AlignCenter);
    txtRoundNo->setMaximumWidth(80);
    scrollRoundNo = named(new QScrollBar(Qt::Vertical, this), QStringLiteral("scrollRoundNo"));
    scrollRoundNo->setRange(1, 999);
    auto* round = new QHBoxLayout;
    round->addWidget(label("Label1", QStringLiteral("Round displayed"), this));
    round->addWidget(txtRoundNo);
    round->addWidget(scrollRoundNo);

    auto* top = new QHBoxLayout;
    top->addWidget(Frame2);
    top->addWidget(Frame1);
    top->addLayout(round);
    top->addStretch(1);

    gridName = named(new FlexGrid(this), QStringLiteral("gridName"));
    gridName->setFixedRows(1);
    gridName->setCols(SeatNameList::columnCount);
    gridName->horizontalHeader()->setSectionsClickable(true);
    gridName->setSelectionMode(QAbstractItemView::ContiguousSelection);
    gridName->setMinimumHeight(gridName->twipsToPixels(6255));

    // The search boxes stand over the columns Table, Pair, Member ID and Name.
    auto* search = new QHBoxLayout;
    for (std::size_t i = 0; i < textSearch.size(); ++i) {
        textSearch[i] = named(new QLineEdit(this), QStringLiteral("textSearch_%1").arg(i));
        textSearch[i]->setFixedWidth(gridName->twipsToPixels(kColumnTwips[i + 1]));
        search->addWidget(textSearch[i]);
    }
    cmdSearch = named(new QPushButton(QStringLiteral("Search"), this), QStringLiteral("cmdSearch"));
    cmdSearch->setAutoDefault(false);
    search->addWidget(cmdSearch);
    search->addStretch(1);

    labShowAllName = label("labShowAllName", QStringLiteral("<a href=\"all\">All names on file</a>"), this);
    labShowAllName->setTextFormat(Qt::RichText);
    labMax = label("labMax", QStringLiteral("Only first 69999 names shown"), this);
    labMax->setVisible(false);
    cmdPrint =
        named(new QPushButton(style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Print"), this),
              QStringLiteral("cmdPrint"));
    cmdPrint->setAutoDefault(false);
    cmdHelp = makeHelpButton(this, RegisteredPlayersEditor::helpTopic);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labShowAllName);
    bottom->addWidget(labMax);
    bottom->addStretch(1);
    bottom->addWidget(cmdPrint);
    bottom->addWidget(cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(label("Label5", QStringLiteral("Enter search parameter(s) below"), this));
    layout->addLayout(search);
    layout->addWidget(gridName, 1);
    layout->addLayout(bottom);
}

void frmEditPlayer::connectHandlers() {
    connect(chkNSPair, &QCheckBox::clicked, this, &frmEditPlayer::chkNSPair_Click);
    connect(chkEWPair, &QCheckBox::clicked, this, &frmEditPlayer::chkEWPair_Click);
    connect(optSourceGroup_, &QButtonGroup::idClicked, this, &frmEditPlayer::optSource_Click);
    connect(scrollRoundNo, &QScrollBar::valueChanged, this, &frmEditPlayer::scrollRoundNo_Change);
    connect(txtRoundNo, &QLineEdit::textChanged, this, &frmEditPlayer::txtRoundNo_Change);
    connect(cmdSearch, &QPushButton::clicked, this, &frmEditPlayer::cmdSearch_Click);
    connect(gridName->horizontalHeader(), &QHeaderView::sectionPressed, this,
            [this](int column) { gridName_MouseDown(0, column); });
    connect(gridName, &QTableWidget::cellPressed, this,
            [this](int row, int column) { gridName_MouseDown(row + gridName->FixedRows(), column); });
    connect(labShowAllName, &QLabel::linkActivated, this, &frmEditPlayer::labShowAllName_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmEditPlayer::cmdPrint_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmEditPlayer::cmdHelp_Click);
}

void frmEditPlayer::Form_Load(std::optional<qint16> shownSectionId) {
    for (int c = 0; c < SeatNameList::columnCount; ++c)
        gridName->setColWidth(c, kColumnTwips[static_cast<std::size_t>(c)]);
    gridName->setColAlignment(1, Qt::AlignLeft | Qt::AlignVCenter);
    gridName->setColAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    gridName->setColAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    gridName->setColAlignment(4, Qt::AlignLeft | Qt::AlignVCenter);
    handle(QStringLiteral("Form_Load"), [this, shownSectionId] { editor_.Form_Load(shownSectionId); });
}

template <typename Step> void frmEditPlayer::handle(const QString& source, Step&& step) {
    guarded(log_, QStringLiteral("frmEditPlayer - ") + source, [this, &step] {
        for (std::size_t i = 0; i < textSearch.size(); ++i)
            editor_.searchTexts[i] = textSearch[i]->text();
        step();
        showControls();
        showList();
    });
}

void frmEditPlayer::showControls() {
    const QSignalBlocker roundBlocker(txtRoundNo);
    const QSignalBlocker scrollBlocker(scrollRoundNo);
    chkNSPair->setChecked(editor_.nsTicked());
    chkEWPair->setChecked(editor_.ewTicked());
    chkNSPair->setEnabled(editor_.filtersEnabled());
    chkEWPair->setEnabled(editor_.filtersEnabled());
    cmdPrint->setEnabled(editor_.filtersEnabled());
    // The scroll bar runs mirrored, so that its upper arrow raises the round.
    scrollRoundNo->setRange(editor_.roundMin(), editor_.roundMax());
    scrollRoundNo->setValue(editor_.roundMax() + editor_.roundMin() - editor_.round());
    scrollRoundNo->setEnabled(editor_.roundEnabled());
    txtRoundNo->setEnabled(editor_.roundEnabled());
    if (StrToInt(txtRoundNo->text()) != editor_.round())
        txtRoundNo->setText(QString::number(editor_.round()));
}

void frmEditPlayer::showList() {
    const auto headings = editor_.headings();
    const NameGridFill& fill = editor_.gridFill();
    const FlexGrid::RedrawPause pause(*gridName);
    gridName->setRows(1);
    gridName->setRows(static_cast<int>(fill.rows.size()) + 1);
    for (int c = 0; c < SeatNameList::columnCount; ++c) {
        gridName->setTextMatrix(0, c, headings[static_cast<std::size_t>(c)]);
        if (c >= 1)
            gridName->horizontalHeaderItem(c)->setTextAlignment(Qt::AlignCenter);
    }
    for (std::size_t r = 0; r < fill.rows.size(); ++r) {
        for (int c = 0; c < SeatNameList::columnCount; ++c)
            gridName->setTextMatrix(static_cast<int>(r) + 1, c, fill.rows[r][static_cast<std::size_t>(c)]);
    }
    labMax->setVisible(fill.limitReached);
    // The column searched, or sorted by, is selected from the top.
    gridName->clearSelection();
    if (!fill.rows.empty())
        gridName->setRangeSelected(QTableWidgetSelectionRange(0, fill.markedColumn,
                                                              static_cast<int>(fill.rows.size()) - 1,
                                                              fill.markedColumn),
                                   true);
}

void frmEditPlayer::chkNSPair_Click(bool ticked) {
    handle(QStringLiteral("chkNSPair_Click"), [this, ticked] { editor_.chkNSPair_Click(ticked); });
}

void frmEditPlayer::chkEWPair_Click(bool ticked) {
    handle(QStringLiteral("chkEWPair_Click"), [this, ticked] { editor_.chkEWPair_Click(ticked); });
}

void frmEditPlayer::optSource_Click(int index) {
    handle(QStringLiteral("optSource_Click"), [this, index] {
        editor_.optSource_Click(index == 1 ? NameListSource::OnFile : NameListSource::Current);
    });
}

void frmEditPlayer::scrollRoundNo_Change(int position) {
    const int round = scrollRoundNo->maximum() + scrollRoundNo->minimum() - position;
    if (round != StrToInt(txtRoundNo->text()))
        txtRoundNo->setText(QString::number(round));
}

void frmEditPlayer::txtRoundNo_Change(const QString& text) {
    if (editor_.roundMin() == 0 || editor_.roundMax() == 0)
        return;
    handle(QStringLiteral("txtRoundNo_Change"), [this, &text] {
        const QString shown = editor_.txtRoundNo_Change(text);
        if (shown != text) {
            const QSignalBlocker blocker(txtRoundNo);
            txtRoundNo->setText(shown);
        }
    });
}

void frmEditPlayer::cmdSearch_Click() {
    handle(QStringLiteral("cmdSearch_Click"), [this] { editor_.cmdSearch_Click(); });
}

void frmEditPlayer::gridName_MouseDown(int row, int column) {
    if (row == 0) {
        handle(QStringLiteral("gridName_MouseDown"), [this, column] { editor_.headingPressed(column); });
        return;
    }
    guarded(log_, QStringLiteral("frmEditPlayer - gridName_MouseDown"), [this, row, column] {
        closeEditDialog();
        keptAtActivation_.clear();
        const std::optional<NameChangePrompt> prompt = editor_.cellPressed(row, column);
        if (!prompt)
            return;
        editDialog_ = new frmEditNameDialog(
            editor_, *prompt, help_, log_, [this] { showList(); }, this);
        if (!isActiveWindow())
            keptAtActivation_ = editDialog_;
        editDialog_->show();
        editDialog_->activateWindow();
        editDialog_->textNewValue->setFocus();
    });
}

void frmEditPlayer::registeredPlayersChanged() {
    handle(QStringLiteral("registeredPlayersChanged"), [this] { editor_.registeredPlayersChanged(); });
}

void frmEditPlayer::labShowAllName_Click() {
    guarded(log_, QStringLiteral("frmEditPlayer - labShowAllName_Click"),
            [this] { commands_.labShowAllName_Click(); });
}

void frmEditPlayer::cmdPrint_Click() {
    guarded(log_, QStringLiteral("frmEditPlayer - cmdPrint_Click"),
            [this] { commands_.print_playername_file(); });
}

void frmEditPlayer::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

void frmEditPlayer::closeEditDialog() {
    // A dialog answering its Yes closes itself when done. Closed, so deleted once its own
    // handlers have returned (its Help may be waiting).
    if (editDialog_ != nullptr && !editDialog_->answering()) {
        editDialog_->close();
        editDialog_.clear();
    }
}

bool frmEditPlayer::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        const frmEditNameDialog* kept = keptAtActivation_.data();
        keptAtActivation_.clear();
        if (kept == nullptr || kept != editDialog_.data())
            closeEditDialog();
    }
    return ProgramDialog::event(event);
}

void frmEditPlayer::closeEvent(QCloseEvent* event) {
    closeEditDialog();
    ProgramDialog::closeEvent(event);
}

} // namespace qzc
