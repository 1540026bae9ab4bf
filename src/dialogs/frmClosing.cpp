#include "dialogs/frmClosing.h"

#include "core/Config.h"
#include "dialogs/ButtonArray.h"
#include "dialogs/HelpButton.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qzc {

namespace {

const QString kNo = QStringLiteral("NO");

} // namespace

frmClosing::frmClosing(Help* help, QWidget* parent) : ProgramDialog(HelpKey::Up, parent), help_(help) {
    setObjectName(QStringLiteral("frmClosing"));
    setWindowTitle(QStringLiteral("Finished?"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Finished?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignHCenter);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    labMsg = new QLabel(QStringLiteral("Are you sure that you want to quit?"), this);
    labMsg->setObjectName(QStringLiteral("labMsg"));
    chkHideFinished = new QCheckBox(QStringLiteral("Do not show this message again"), this);
    chkHideFinished->setObjectName(QStringLiteral("chkHideFinished"));

    makeButtonArray(cmdButton, std::array<QString, 2>{QStringLiteral("&Yes"), QStringLiteral("&No")}, this,
                    &frmClosing::cmdButton_Click);
    cmdButton[0]->setDefault(true);
    cmdHelp = makeHelpButton(this, 0);
    connect(cmdHelp, &QPushButton::clicked, this, &frmClosing::cmdHelp_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdButton[0]);
    buttons->addWidget(cmdButton[1]);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(labMsg);
    layout->addWidget(chkHideFinished);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool frmClosing::confirmQuit(Config& config, Help* help, QWidget* parent) {
    if (config.HideFinishedWindow)
        return true;
    frmClosing box(help, parent);
    box.Form_Load();
    box.exec();
    if (!box.answered())
        return false;
    if (box.hideFinishedTicked()) {
        config.writeDefault(QStringLiteral("HideFinishedWindow"), QStringLiteral("1"));
        config.HideFinishedWindow = true;
    }
    return box.tag().isEmpty();
}

QString frmClosing::tag() const {
    return property("Tag").toString();
}

bool frmClosing::hideFinishedTicked() const {
    return chkHideFinished->isChecked();
}

void frmClosing::Form_Load() {
    cmdHelp->setProperty("Tag", QString::number(helpTopic));
}

void frmClosing::cmdButton_Click(int index) {
    answered_ = true;
    if (index == 1)
        setProperty("Tag", kNo);
    done(index == 0 ? Accepted : Rejected);
}

void frmClosing::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

void frmClosing::reject() {
    // Closing the question without an answer keeps the program running.
    setProperty("Tag", kNo);
    done(Rejected);
}

} // namespace qzc
