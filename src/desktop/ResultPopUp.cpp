#include "desktop/ResultPopUp.h"

#include "core/Config.h"
#include "core/Guarded.h"
#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "core/TextHelpers.h"
#include "dialogs/ControlName.h"
#include "dialogs/HelpButton.h"
#include "platform/Twips.h"
#include "scoring/AllDealFile.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace qzc {

namespace {

// Sizes of the design, in twips.
constexpr int kSpareTwips = 120;
constexpr int kBelowPointerTwips = 180;
constexpr int kAbovePointerTwips = 300;
constexpr int kDealWidthTwips = 8000;
constexpr int kDealHeightTwips = 6000;
constexpr int kPlainWidthTwips = 4300;
constexpr int kPlainHeightTwips = 2900;

void setLinkColour(QLabel* link, const QColor& colour) {
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, colour);
    link->setPalette(palette);
}

} // namespace

ResultPopUp::ResultPopUp(const Services& services, QWidget* parent)
    : QFrame(parent), results_(services.gameData, services.log, services.messages, services.desktop),
      messages_(services.messages), log_(services.log), config_(services.config), help_(services.help) {
    setObjectName(QStringLiteral("framePopUp"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto* layout = new QVBoxLayout(this);
    labResultTitle =
        named(new QLabel(QStringLiteral("Table A1; Round 1"), this), QStringLiteral("labResultTitle"));
    layout->addWidget(labResultTitle);
    labTableNo = named(new QLabel(QStringLiteral("Table no."), this), QStringLiteral("labTableNo"));
    labRoundNo = named(new QLabel(QStringLiteral("Round no."), this), QStringLiteral("labRoundNo"));
    labTableNo->hide();
    labRoundNo->hide();
    Label4 =
        named(new QLabel(QStringLiteral(" bd contr decl tricks lead pts"), this), QStringLiteral("Label4"));
    Label4->setFont(fixed);
    layout->addWidget(Label4);
    linesLayout_ = new QGridLayout;
    layout->addLayout(linesLayout_);
    txtResultPage = named(new QLineEdit(this), QStringLiteral("txtResultPage"));
    txtResultPage->setFont(fixed);
    txtResultPage->installEventFilter(this);
    layout->addWidget(txtResultPage);
    textDeal = named(new QPlainTextEdit(this), QStringLiteral("textDeal"));
    textDeal->setFont(fixed);
    textDeal->setReadOnly(true);
    layout->addWidget(textDeal, 1);

    auto* links = new QHBoxLayout;
    labShowAllDeal =
        named(new QLabel(QStringLiteral("Show all deals"), this), QStringLiteral("labShowAllDeal"));
    labShowAllDeal2 =
        named(new QLabel(QStringLiteral("Show all deals"), this), QStringLiteral("labShowAllDeal2"));
    for (QLabel* link : {labShowAllDeal, labShowAllDeal2}) {
        setLinkColour(link, QColor(0, 0, 255));
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
        links->addWidget(link);
    }
    links->addStretch(1);
    cmdHelpResult = named(new QPushButton(QStringLiteral("Help"), this), QStringLiteral("cmdHelpResult"));
    cmdHelpResult->setAutoDefault(false);
    cmdHelpResult->setProperty("Tag", QString::number(PopUpResults::helpTopic));
    links->addWidget(cmdHelpResult);
    layout->addLayout(links);
    connect(cmdHelpResult, &QPushButton::clicked, this,
            [this] { openHelpTopic(help_, helpTopicOf(cmdHelpResult)); });
    hide();
}

int ResultPopUp::twips(int value) const {
    return twipsToPixels(value, logicalDpiX());
}

void ResultPopUp::showDealLinks(bool dealFile) {
    if (!dealFile) {
        for (QLabel* link : {labShowAllDeal, labShowAllDeal2}) {
            link->setText(QStringLiteral("Deals n/a"));
            setLinkColour(link, QColor(0, 0, 0));
            link->unsetCursor();
        }
    }
    textDeal->setVisible(dealFile);
    resize(twips(dealFile ? kDealWidthTwips : kPlainWidthTwips),
           twips(dealFile ? kDealHeightTwips : kPlainHeightTwips));
}

bool ResultPopUp::isEditing() const {
    for (const QLineEdit* box : textContract) {
        if (box->isVisible())
            return true;
    }
    return false;
}

void ResultPopUp::Close_PopUp() {
    if (isHidden() || isEditing())
        return;
    hide();
}

void ResultPopUp::clearLines() {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (QWidget* widget :
             {static_cast<QWidget*>(labResultLine[i]), static_cast<QWidget*>(textContract[i])}) {
            linesLayout_->removeWidget(widget);
            widget->hide();
            // Later: the box may be the one whose focus change is being handled.
            widget->deleteLater();
        }
    }
    labResultLine.clear();
    textContract.clear();
    lines_.clear();
}

void ResultPopUp::addLine(const PopUpLine& line) {
    const int row = static_cast<int>(lines_.size());
    const QString number = QString::number(row + 1);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* label = named(new QLabel(this), QStringLiteral("labResultLine_") + number);
    label->setFont(fixed);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(this);
    auto* box = named(new QLineEdit(this), QStringLiteral("textContract_") + number);
    box->setFont(fixed);
    box->installEventFilter(this);
    box->hide();
    linesLayout_->addWidget(label, row, 0);
    linesLayout_->addWidget(box, row, 0);
    labResultLine.push_back(label);
    textContract.push_back(box);
    lines_.push_back(line);
    showLine(row);
}

void ResultPopUp::showLine(int index) {
    QLabel* label = labResultLine[static_cast<std::size_t>(index)];
    label->setText(lines_[static_cast<std::size_t>(index)].caption);
    label->show();
}

void ResultPopUp::ShowCellDetails(const QString& letters, qint16 table, qint16 round,
                                  const QString& boardList, const QPoint& position, const QRect& grid) {
    hide();
    textDeal->clear();
    const CellDetails details = results_.ShowCellDetails(letters, table, round, boardList);
    labResultTitle->setText(details.title);
    labTableNo->setText(details.tableId);
    labRoundNo->setText(QString::number(details.round));
    tableId_ = details.tableId;
    round_ = details.round;
    if (boardList.isEmpty())
        return;
    clearLines();
    for (const PopUpLine& line : details.lines)
        addLine(line);
    txtResultPage->clear();
    // The pop-up grows to hold every line; it never shrinks.
    const QSize needed = sizeHint();
    resize(qMax(width(), needed.width()), qMax(height(), needed.height()));
    place(position, grid);
    show();
    raise();
}

void ResultPopUp::place(const QPoint& position, const QRect& grid) {
    int left = grid.left() + position.x();
    if (grid.width() < width() + position.x() + twips(kSpareTwips)) {
        left = grid.left() + position.x() - width();
        if (left < grid.left())
            left = grid.left() + grid.width() - width() - twips(kSpareTwips);
    }
    int top = grid.top() + position.y() + twips(kBelowPointerTwips);
    if (grid.height() < height() + position.y() + twips(kAbovePointerTwips)) {
        top = grid.top() + position.y() - height();
        if (top < grid.top())
            top = grid.top() + grid.height() - height() - twips(kSpareTwips);
    }
    move(left, top);
}

void ResultPopUp::labResultLine_Click(int index) {
    if (index < 0 || index >= static_cast<int>(lines_.size()))
        return;
    QLineEdit* box = textContract[static_cast<std::size_t>(index)];
    box->show();
    box->raise();
    box->setCursorPosition(0);
    box->setFocus(Qt::MouseFocusReason);
    const QString board =
        GetField(labResultLine[static_cast<std::size_t>(index)]->text().trimmed(), 1, QStringLiteral(" "));
    QString deal = AllDealFile(log_, config_.qzcPath).Get_AllDeal(StrToInt(board));
    textDeal->setPlainText(deal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void ResultPopUp::textContract_LostFocus(int index) {
    if (saving_ || index < 0 || index >= static_cast<int>(lines_.size()))
        return;
    const QScopedValueRollback<bool> guard(saving_, true);
    const auto at = static_cast<std::size_t>(index);
    QLineEdit* box = textContract[at];
    const PopUpLine line = lines_[at];
    const PopUpResults::EditOutcome outcome = results_.saveEdit(tableId_, round_, line, box->text());
    // The program may have ended while a question was up: nothing more is read.
    if (messages_.programEnded())
        return;
    // The lines stay while a question is open, but nothing is taken for granted.
    if (at >= textContract.size() || textContract[at] != box ||
        outcome == PopUpResults::EditOutcome::NotStored)
        return;
    if (outcome == PopUpResults::EditOutcome::Stored || outcome == PopUpResults::EditOutcome::Outdated) {
        lines_[at] = results_.resultLine(tableId_, round_, line.board);
        showLine(index);
    }
    box->hide();
}

void ResultPopUp::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

bool ResultPopUp::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    for (std::size_t i = 0; i < textContract.size(); ++i) {
        const int index = static_cast<int>(i);
        if (watched == labResultLine[i] && type == QEvent::MouseButtonRelease) {
            guarded(log_, QStringLiteral("labResultLine"), [&] { labResultLine_Click(index); });
            return true;
        }
        if (watched != textContract[i])
            continue;
        QLineEdit* box = textContract[i];
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape)
                box->setText(lines_[i].tag);
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
                txtResultPage->setFocus(Qt::OtherFocusReason);
                return true;
            }
        } else if (type == QEvent::MouseButtonDblClick) {
            if (!box->text().trimmed().isEmpty())
                box->selectAll();
            return true;
        } else if (type == QEvent::FocusOut) {
            // Another window taking the focus, or a menu, is no end of the edit.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                guarded(log_, QStringLiteral("textContract"), [&] { textContract_LostFocus(index); });
        }
        return false;
    }
    if (watched == txtResultPage && type == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    if ((watched == labShowAllDeal || watched == labShowAllDeal2) && type == QEvent::MouseButtonRelease) {
        Q_EMIT showAllDealsClicked();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace qzc
