#include "dialogs/frmDialog.h"

#include "core/Guarded.h"
#include "core/NumberText.h"
#include "core/SectionLetters.h"
#include "dialogs/ControlName.h"
#include "dialogs/HelpButton.h"
#include "dialogs/frmEditResultDialog.h"
#include "platform/Twips.h"
#include "widgets/FlexGrid.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <array>

namespace qzc {

namespace {

// The design, in twips.
constexpr std::array<int, BoardResultTable::columnCount> kColumnTwips = {0, 800, 800, 1000, 1800, 1500, 0, 0};
constexpr int kWidthWithDealTwips = 9960;
constexpr int kWidthWithoutDealTwips = 6400;
constexpr int kHeightTwips = 8475;
constexpr int kBoardFontPoints = 18;
constexpr int kLastBoardOfBar = 999;

} // namespace

frmDialog::frmDialog(const Services& services, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), services_(services), traveller_(services.traveller) {
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("Results"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
    Form_Load();
}

frmEditResultDialog* frmDialog::editDialog() const {
    return editDialog_.data();
}

void frmDialog::buildControls() {
    Label1 = named(new QLabel(QStringLiteral("Board displayed"), this), QStringLiteral("Label1"));
    txtBoardNo = named(new QLineEdit(QStringLiteral("1"), this), QStringLiteral("txtBoardNo"));
    QFont big = txtBoardNo->font();
    big.setPointSize(kBoardFontPoints);
    txtBoardNo->setFont(big);
    QPalette grey = txtBoardNo->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    txtBoardNo->setPalette(grey);
    txtBoardNo->setMaximumWidth(twipsToPixels(735, logicalDpiX()));
    scrollBoardNo = named(new QScrollBar(Qt::Vertical, this), QStringLiteral("scrollBoardNo"));
    scrollBoardNo->setRange(BoardTraveller::firstBoard, kLastBoardOfBar);
    scrollBoardNo->setValue(kLastBoardOfBar);
    scrollBoardNo->setFixedHeight(twipsToPixels(520, logicalDpiX()));
    cmdPrint = named(new QPushButton(style()->standardIcon(QStyle::SP_FileIcon), QString(), this),
                     QStringLiteral("cmdPrint"));
    cmdPrint->setToolTip(QStringLiteral("Print"));
    cmdPrint->setAutoDefault(false);
    labShowAllDeal =
        named(new QLabel(QStringLiteral("Show all deals"), this), QStringLiteral("labShowAllDeal"));
    QPalette blue = labShowAllDeal->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    labShowAllDeal->setPalette(blue);
    QFont link = labShowAllDeal->font();
    link.setUnderline(true);
    labShowAllDeal->setFont(link);
    labShowAllDeal->setCursor(Qt::PointingHandCursor);
    labShowAllDeal->installEventFilter(this);
    cmdHelp = makeHelpButton(this, BoardTraveller::helpTopic);

    gridResult = named(new FlexGrid(this), QStringLiteral("gridResult"));
    gridResult->setFixedRows(1);
    gridResult->setFixedCols(0);
    gridResult->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridResult->setSelectionMode(QAbstractItemView::SingleSelection);
    gridResult->horizontalHeader()->viewport()->installEventFilter(this);
    textDeal = named(new QPlainTextEdit(this), QStringLiteral("textDeal"));
    textDeal->setReadOnly(true);
    textDeal->setFont(QFont(QStringLiteral("Courier New"), 10));

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(txtBoardNo);
    top->addWidget(scrollBoardNo);
    top->addWidget(cmdPrint);
    top->addWidget(labShowAllDeal);
    top->addWidget(cmdHelp);
    top->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(gridResult, 1);
    body->addWidget(textDeal, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(body, 1);

    connect(txtBoardNo, &QLineEdit::textChanged, this, [this] {
        guarded(services_.traveller.log, QStringLiteral("txtBoardNo"), [this] { txtBoardNo_Change(); });
    });
    connect(scrollBoardNo, &QScrollBar::valueChanged, this, &frmDialog::scrollBoardNo_Change);
    connect(gridResult, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        guarded(services_.traveller.log, QStringLiteral("gridResult"),
                [&] { gridResult_DblClick(row + gridResult->FixedRows()); });
    });
    connect(cmdPrint, &QPushButton::clicked, this, [this] {
        guarded(services_.traveller.log, QStringLiteral("cmdPrint"), [this] { cmdPrint_Click(); });
    });
    connect(cmdHelp, &QPushButton::clicked, this, &frmDialog::cmdHelp_Click);
}

void frmDialog::Form_Load() {
    gridResult->setCols(BoardResultTable::columnCount);
    for (int col = 0; col < BoardResultTable::columnCount; ++col)
        gridResult->setColWidth(col, kColumnTwips[static_cast<std::size_t>(col)]);
    for (int col = 1; col <= 5; ++col)
        gridResult->setColAlignment(col, Qt::AlignLeft | Qt::AlignVCenter);
    initBoardRange();
    textDeal->clear();
    txtBoardNo_Change();
    const bool dealFile = traveller_.hasDealFile();
    if (!dealFile) {
        labShowAllDeal->setText(QStringLiteral("Deals n/a"));
        QPalette black = labShowAllDeal->palette();
        black.setColor(QPalette::WindowText, QColor(0, 0, 0));
        labShowAllDeal->setPalette(black);
        labShowAllDeal->unsetCursor();
    }
    // Without the deals the window ends before the deal box.
    textDeal->setVisible(dealFile);
    resize(twipsToPixels(dealFile ? kWidthWithDealTwips : kWidthWithoutDealTwips, logicalDpiX()),
           twipsToPixels(kHeightTwips, logicalDpiX()));
}

void frmDialog::initBoardRange() {
    const qint16 last = traveller_.initBoardRange();
    scrollBoardNo->setMaximum(last);
    if (last == BoardTraveller::firstBoard)
        txtBoardNo_Change();
}

qint16 frmDialog::boardShown() const {
    return static_cast<qint16>(scrollBoardNo->maximum() + scrollBoardNo->minimum() - scrollBoardNo->value());
}

void frmDialog::txtBoardNo_Change() {
    const qint16 typed = StrToInt(txtBoardNo->text());
    const qint16 board = traveller_.boardOf(txtBoardNo->text());
    if (board != typed) {
        // Raises this handler again with the board in range.
        txtBoardNo->setText(QString::number(board));
        return;
    }
    if (boardShown() != board)
        scrollBoardNo->setValue(scrollBoardNo->maximum() + scrollBoardNo->minimum() - board);
    showBoard(board);
    QString deal = traveller_.dealText(board);
    textDeal->setPlainText(deal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmDialog::scrollBoardNo_Change() {
    const qint16 board = boardShown();
    if (board != StrToInt(txtBoardNo->text()))
        txtBoardNo->setText(QString::number(board));
}

void frmDialog::showBoard(qint16 board) {
    const std::optional<BoardResultTable> table = traveller_.resultTable(board);
    if (!table)
        return;
    FlexGrid::RedrawPause pause(*gridResult);
    gridResult->setRows(2);
    for (int col = 0; col < gridResult->Cols(); ++col)
        gridResult->setTextMatrix(1, col, QString());
    const QColor face = palette().color(QPalette::Button);
    for (int col = 1; col < BoardResultTable::columnCount; ++col) {
        gridResult->setTextMatrix(0, col, table->headings[static_cast<std::size_t>(col)]);
        gridResult->setCellBackColor(0, col, col == table->sortColumn ? QColor(0, 255, 255) : face);
    }
    gridResult->setRows(static_cast<int>(table->rows.size()) + 1);
    for (std::size_t i = 0; i < table->rows.size(); ++i) {
        for (int col = 1; col < BoardResultTable::columnCount; ++col)
            gridResult->setTextMatrix(static_cast<int>(i) + 1, col,
                                      table->rows[i][static_cast<std::size_t>(col)]);
    }
}

int frmDialog::headingColumnAt(int x) const {
    int col = 0;
    int right = gridResult->columnWidth(0);
    while (x > right && col + 1 < gridResult->Cols()) {
        ++col;
        right += gridResult->columnWidth(col);
    }
    return col;
}

void frmDialog::heading_Click(int column) {
    traveller_.headingClicked(column, gridResult->TextMatrix(0, column));
    txtBoardNo_Change();
}

void frmDialog::gridResult_DblClick(int row) {
    if (row <= 0)
        return;
    closeEditDialog();
    const TravellerPick pick{gridResult->TextMatrix(row, 1), gridResult->TextMatrix(row, 2),
                             gridResult->TextMatrix(row, 3), gridResult->TextMatrix(row, 6),
                             gridResult->TextMatrix(row, 7)};
    auto* dialog = new frmEditResultDialog(services_.editor, services_.help, this);
    if (!dialog->editor().describeResult(boardShown(), pick)) {
        delete dialog;
        return;
    }
    dialog->showEditor();
    connect(dialog, &frmEditResultDialog::resultStored, this,
            [this, dialog] { showStoredResult(dialog->editor().seat); });
    editDialog_ = dialog;
    dialog->show();
}

void frmDialog::showStoredResult(const ResultSeat& seat) {
    txtBoardNo_Change();
    const QString letters = tableIdLetter(seat.tableId);
    const auto holds = [&letters](const QString& cell, qint16 pair) {
        const QString number = QString::number(pair);
        return cell == letters + number || cell == number;
    };
    for (int row = 1; row < gridResult->Rows(); ++row) {
        if (gridResult->TextMatrix(row, 3).trimmed() == seat.tableId &&
            holds(gridResult->TextMatrix(row, 1), seat.nsPair) &&
            holds(gridResult->TextMatrix(row, 2), seat.ewPair)) {
            gridResult->selectRow(row - gridResult->FixedRows());
            return;
        }
    }
}

void frmDialog::closeEditDialog() {
    // Closed, so deleted once its own handlers have returned.
    if (editDialog_ != nullptr)
        editDialog_->close();
    editDialog_.clear();
}

void frmDialog::cmdPrint_Click() {
    const std::optional<qint16> section =
        services_.selectedSection ? services_.selectedSection() : std::nullopt;
    if (section)
        traveller_.printBoard(*section, StrToInt(txtBoardNo->text()));
}

void frmDialog::labShowAllDeal_Click() {
    if (services_.showAllDeals)
        services_.showAllDeals();
}

void frmDialog::cmdHelp_Click() {
    openHelpTopic(services_.help, helpTopicOf(cmdHelp));
}

void frmDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        closeEditDialog();
    ProgramDialog::changeEvent(event);
}

bool frmDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == gridResult->horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        const int x = static_cast<QMouseEvent*>(event)->position().toPoint().x();
        guarded(services_.traveller.log, QStringLiteral("gridResult"),
                [&] { heading_Click(headingColumnAt(x)); });
        return true;
    }
    if (watched == labShowAllDeal && event->type() == QEvent::MouseButtonRelease) {
        guarded(services_.traveller.log, QStringLiteral("labShowAllDeal"),
                [this] { labShowAllDeal_Click(); });
        return true;
    }
    return ProgramDialog::eventFilter(watched, event);
}

} // namespace qzc
