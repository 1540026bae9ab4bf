#include "dialogs/frmMovement.h"

#include "core/MessageBox.h"
#include "core/NumberText.h"
#include "dialogs/ButtonArray.h"
#include "widgets/WindowPlacement.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qzc {

namespace {

// Board counts run from 1 to 999.
constexpr int kMaxDigits = 3;
constexpr qint16 kWarningStyle = 48;

// A count of boards takes at most three digits: anything else is removed and the caret
// stays behind the same digits.
void keepDigits(QLineEdit* box) {
    const QString text = box->text();
    QString digits;
    int caret = box->cursorPosition();
    const int oldCaret = caret;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].isDigit() && text[i].unicode() < 128)
            digits += text[i];
        else if (i < oldCaret)
            --caret;
    }
    digits.truncate(kMaxDigits);
    caret = std::min(caret, static_cast<int>(digits.size()));
    if (digits == text)
        return;
    box->setText(digits);
    box->setCursorPosition(caret);
}

} // namespace

frmMovement::frmMovement(qint16& boardsPerRound, qint16& totalBoards, MessageBox& messages, QWidget* parent)
    : QDialog(parent), boardsPerRound_(boardsPerRound), totalBoards_(totalBoards), messages_(messages) {
    setObjectName(QStringLiteral("frmMovement"));
    setWindowTitle(QStringLiteral("Movement missing!"));
    setModal(true);
    keepFrameOnScreen(*this);

    Label2 = new QLabel(QStringLiteral("Movement data seem to be missing. Please enter"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label1 = new QLabel(QStringLiteral("Boards/round (required)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtBoardRound = new QLineEdit(this);
    txtBoardRound->setObjectName(QStringLiteral("txtBoardRound"));
    Label3 = new QLabel(QStringLiteral("Total number of boards"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    txtTotalBoard = new QLineEdit(this);
    txtTotalBoard->setObjectName(QStringLiteral("txtTotalBoard"));
    connect(txtBoardRound, &QLineEdit::textChanged, this, &frmMovement::txtBoardRound_Change);
    connect(txtTotalBoard, &QLineEdit::textChanged, this, &frmMovement::txtTotalBoard_Change);

    makeButtonArray(cmdButton, std::array<QString, 2>{QStringLiteral("OK"), QStringLiteral("Quit")}, this,
                    &frmMovement::cmdButton_Click);
    cmdButton[0]->setDefault(true);

    auto* boxes = new QGridLayout;
    boxes->addWidget(Label1, 0, 0);
    boxes->addWidget(txtBoardRound, 0, 1);
    boxes->addWidget(Label3, 1, 0);
    boxes->addWidget(txtTotalBoard, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdButton[0]);
    buttons->addWidget(cmdButton[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addLayout(boxes);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmMovement::cmdButton_Click(int index) {
    if (index == 0) {
        const qint16 perRound = StrToInt(txtBoardRound->text());
        const qint16 total = StrToInt(txtTotalBoard->text());
        if (perRound >= 1 && total >= 1 && total % perRound != 0) {
            messages_.showMsg(multipleMessage, QString(), kWarningStyle, helpTopic);
            return;
        }
        boardsPerRound_ = perRound;
        totalBoards_ = total;
    }
    hide();
}

void frmMovement::txtBoardRound_Change() {
    keepDigits(txtBoardRound);
}

void frmMovement::txtTotalBoard_Change() {
    keepDigits(txtTotalBoard);
}

void frmMovement::closeEvent(QCloseEvent* event) {
    // Hidden, not destroyed, like Quit: the counts stay as they were.
    event->ignore();
    hide();
}

} // namespace qzc
