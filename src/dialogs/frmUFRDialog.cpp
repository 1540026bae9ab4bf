#include "dialogs/frmUFRDialog.h"

#include "dialogs/HelpButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qzc {

namespace {

constexpr int kIconSize = 32;
constexpr int kIndent = 24;

} // namespace

frmUFRDialog::frmUFRDialog(Help* help, QWidget* parent) : ProgramDialog(HelpKey::Down, parent), help_(help) {
    setObjectName(QStringLiteral("frmUFRDialog"));
    setWindowTitle(QStringLiteral("Start with updated movement procedure"));
    setAttribute(Qt::WA_DeleteOnClose);

    // The texts as they have always read, "movment" included.
    const std::array<QString, 6> lines = {
        QStringLiteral(
            "The old movment data (that shall not be used any longer) has been removed from the grid"),
        QStringLiteral("CONTINUATION"),
        QStringLiteral("1. Let all tabletops proceed until they reach their START screen"),
        QStringLiteral("Use the tabletops' crossed over board icon, if necessary."),
        QStringLiteral("2. Click the green \"Start with updated movement\" button"),
        QStringLiteral("when it appears (in the top right corner) to (re)start with the new movement.")};
    auto* text = new QVBoxLayout;
    for (std::size_t i = 0; i < labMsg.size(); ++i) {
        labMsg[i] = new QLabel(lines[i], this);
        labMsg[i]->setObjectName(QStringLiteral("labMsg_%1").arg(i));
        labMsg[i]->setTextFormat(Qt::PlainText);
        // Lines 0, 3 and 5 stand indented.
        if (i == 0 || i == 3 || i == 5)
            labMsg[i]->setIndent(kIndent);
        text->addWidget(labMsg[i]);
    }
    picStore[0] = new QLabel(this);
    picStore[0]->setObjectName(QStringLiteral("picStore_0"));
    picStore[0]->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(kIconSize));

    cmdButton[0] = new QPushButton(QStringLiteral("OK"), this);
    cmdButton[0]->setObjectName(QStringLiteral("cmdButton_0"));
    cmdButton[0]->setDefault(true);
    connect(cmdButton[0], &QPushButton::clicked, this, [this] { cmdButton_Click(0); });
    cmdHelp = makeHelpButton(this, helpTopic);
    connect(cmdHelp, &QPushButton::clicked, this, &frmUFRDialog::cmdHelp_Click);

    auto* body = new QHBoxLayout;
    body->addWidget(picStore[0], 0, Qt::AlignTop);
    body->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdButton[0]);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmUFRDialog::cmdButton_Click(int /*index*/) {
    close();
}

void frmUFRDialog::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

} // namespace qzc
