#include "dialogs/frmEditResultDialog.h"

#include "core/Guarded.h"
#include "dialogs/ControlName.h"
#include "dialogs/HelpButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qzc {

namespace {

/// The longest entries the boxes take as typed: "3NXX", "W", "+10", "HK".
constexpr int kContractLength = 4;
constexpr int kDeclarerLength = 1;
constexpr int kMadeLength = 3;
constexpr int kLeadLength = 3;
constexpr int kRulingColumns = 2;

QLineEdit* box(const QString& name, int maxLength, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setMaxLength(maxLength);
    return edit;
}

// A text that a box shows whole: a stored contract may be longer than what is typed.
void setBoxText(QLineEdit* edit, const QString& text, int maxLength) {
    edit->setMaxLength(qMax(maxLength, static_cast<int>(text.size())));
    edit->setText(text);
}

} // namespace

frmEditResultDialog::frmEditResultDialog(const ResultEditor::Services& services, Help* help, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), editor_(services), help_(help) {
    setObjectName(QStringLiteral("frmEditResultDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
    showEditor();
}

void frmEditResultDialog::buildControls() {
    labMsg = named(new QLabel(this), QStringLiteral("labMsg"));

    frameContract = named(new QGroupBox(this), QStringLiteral("frameContract"));
    auto* contract = new QGridLayout(frameContract);
    textContract = box(QStringLiteral("textContract"), kContractLength, frameContract);
    textDeclarer = box(QStringLiteral("textDeclarer"), kDeclarerLength, frameContract);
    textMade = box(QStringLiteral("textMade"), kMadeLength, frameContract);
    textLead = box(QStringLiteral("textLead"), kLeadLength, frameContract);
    const std::array<QString, 4> headings = {QStringLiteral("Contr."), QStringLiteral("Decl."),
                                             QStringLiteral("Made"), QStringLiteral("Lead")};
    const std::array<QLineEdit*, 4> boxes = {textContract, textDeclarer, textMade, textLead};
    for (int col = 0; col < 4; ++col) {
        contract->addWidget(new QLabel(headings[static_cast<std::size_t>(col)], frameContract), 0, col);
        contract->addWidget(boxes[static_cast<std::size_t>(col)], 1, col);
        boxes[static_cast<std::size_t>(col)]->installEventFilter(this);
    }

    frameRuling = named(new QGroupBox(this), QStringLiteral("frameRuling"));
    auto* rulings = new QGridLayout(frameRuling);
    rulingGroup_ = new QButtonGroup(this);
    for (int index = 0; index < static_cast<int>(optRulings.size()); ++index) {
        const RulingOption& option = rulingOptions[static_cast<std::size_t>(index)];
        auto* radio = named(new QRadioButton(QLatin1String(option.caption), frameRuling),
                            QStringLiteral("optRulings_%1").arg(index));
        rulingGroup_->addButton(radio, index);
        rulings->addWidget(radio, index / kRulingColumns, index % kRulingColumns);
        optRulings[static_cast<std::size_t>(index)] = radio;
    }
    rulings->addWidget(new QLabel(QStringLiteral("(erase)"), frameRuling),
                       ResultEditor::annulOption / kRulingColumns, kRulingColumns);
    rulings->addWidget(new QLabel(QStringLiteral("Tick one option above"), frameRuling),
                       static_cast<int>(optRulings.size()) / kRulingColumns, 0, 1, kRulingColumns + 1);
    labRuleSep = named(new QLabel(QStringLiteral("or"), this), QStringLiteral("labRuleSep"));
    frameRulingFree = named(new QGroupBox(this), QStringLiteral("frameRulingFree"));
    auto* free = new QVBoxLayout(frameRulingFree);
    chkRemark = named(new QCheckBox(QStringLiteral("enter a remark in the box below"), frameRulingFree),
                      QStringLiteral("chkRemark"));
    textRemark = named(new QLineEdit(frameRulingFree), QStringLiteral("textRemark"));
    textRemark->setAutoFillBackground(true);
    free->addWidget(chkRemark);
    free->addWidget(textRemark);
    free->addWidget(new QLabel(
        QStringLiteral("Please check that your entry is understood by the scoring program in use!"),
        frameRulingFree));

    cmdRuling = named(new QPushButton(this), QStringLiteral("cmdRuling"));
    cmdRuling->setAutoDefault(false);
    const std::array<QString, 2> captions = {QStringLiteral("Save"), QStringLiteral("Cancel")};
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    for (std::size_t i = 0; i < cmdButton.size(); ++i) {
        cmdButton[i] = named(new QPushButton(captions[i], this), QStringLiteral("cmdButton_%1").arg(i));
        cmdButton[i]->setAutoDefault(false);
        commands->addWidget(cmdButton[i]);
        connect(cmdButton[i], &QPushButton::clicked, this, [this, i] {
            guarded(editor_.log(), QStringLiteral("frmEditResultDialog"),
                    [&] { cmdButton_Click(static_cast<int>(i)); });
        });
    }
    cmdHelp = makeHelpButton(this, editor_.helpTopic());
    commands->addWidget(cmdHelp);
    commands->addStretch(1);
    connect(cmdHelp, &QPushButton::clicked, this, &frmEditResultDialog::cmdHelp_Click);
    connect(cmdRuling, &QPushButton::clicked, this, &frmEditResultDialog::cmdRuling_Click);
    connect(chkRemark, &QCheckBox::clicked, this, &frmEditResultDialog::chkRemark_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labMsg);
    auto* panels = new QHBoxLayout;
    auto* stack = new QVBoxLayout;
    stack->addWidget(frameContract);
    stack->addWidget(frameRuling);
    stack->addWidget(labRuleSep);
    stack->addWidget(frameRulingFree);
    panels->addLayout(stack, 1);
    panels->addWidget(cmdRuling, 0, Qt::AlignTop);
    layout->addLayout(panels);
    layout->addLayout(commands);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmEditResultDialog::showEditor() {
    labMsg->setText(editor_.description);
    setBoxText(textContract, editor_.contract, kContractLength);
    textContract->selectAll();
    setBoxText(textDeclarer, editor_.declarer, kDeclarerLength);
    setBoxText(textMade, editor_.made, kMadeLength);
    setBoxText(textLead, editor_.lead, kLeadLength);
    if (editor_.ruling >= 0 && editor_.ruling < static_cast<int>(optRulings.size())) {
        optRulings[static_cast<std::size_t>(editor_.ruling)]->setChecked(true);
    } else if (QAbstractButton* chosen = rulingGroup_->checkedButton()) {
        // A stored result shown afresh takes back the option chosen before.
        rulingGroup_->setExclusive(false);
        chosen->setChecked(false);
        rulingGroup_->setExclusive(true);
    }
    chkRemark->setChecked(editor_.freeRemark);
    textRemark->setText(editor_.remark);
    showPanel();
    chkRemark_Click();
}

void frmEditResultDialog::showPanel() {
    const bool contract = editor_.panel() == ResultEditor::Panel::Contract;
    frameContract->setVisible(contract);
    frameRuling->setVisible(!contract);
    labRuleSep->setVisible(!contract);
    frameRulingFree->setVisible(!contract);
    cmdRuling->setText(editor_.rulingButtonCaption());
    setWindowTitle(editor_.caption());
    cmdHelp->setProperty("Tag", QString::number(editor_.helpTopic()));
}

void frmEditResultDialog::collectControls() {
    editor_.contract = textContract->text();
    editor_.declarer = textDeclarer->text();
    editor_.made = textMade->text();
    editor_.lead = textLead->text();
    editor_.ruling = rulingGroup_->checkedId();
    editor_.freeRemark = chkRemark->isChecked();
    editor_.remark = textRemark->text();
}

void frmEditResultDialog::cmdRuling_Click() {
    collectControls();
    editor_.cmdRuling_Click();
    showPanel();
    chkRemark_Click();
}

void frmEditResultDialog::chkRemark_Click() {
    const bool remark = chkRemark->isChecked();
    for (QRadioButton* option : optRulings)
        option->setEnabled(!remark);
    QPalette palette = textRemark->palette();
    palette.setColor(QPalette::Base,
                     remark ? QColor(255, 255, 255) : frameRuling->palette().color(QPalette::Window));
    textRemark->setPalette(palette);
}

void frmEditResultDialog::cmdButton_Click(int index) {
    if (index != 0) {
        close();
        return;
    }
    collectControls();
    switch (editor_.save()) {
    case ResultEditor::SaveOutcome::StayOpen:
        return;
    case ResultEditor::SaveOutcome::Outdated:
        showEditor();
        return;
    case ResultEditor::SaveOutcome::Stored:
        Q_EMIT resultStored();
        break;
    case ResultEditor::SaveOutcome::Close:
        break;
    }
    close();
}

void frmEditResultDialog::cmdHelp_Click() {
    openHelpTopic(help_, editor_.helpTopic());
}

bool frmEditResultDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter steps through the boxes, each taken whole, and from the lead to Save.
            const std::array<QLineEdit*, 4> order = {textContract, textDeclarer, textMade, textLead};
            for (std::size_t i = 0; i < order.size(); ++i) {
                if (watched != order[i])
                    continue;
                if (i + 1 < order.size()) {
                    order[i + 1]->setFocus(Qt::TabFocusReason);
                    order[i + 1]->selectAll();
                } else {
                    cmdButton[0]->setFocus(Qt::TabFocusReason);
                }
                return true;
            }
        }
    }
    return ProgramDialog::eventFilter(watched, event);
}

} // namespace qzc
