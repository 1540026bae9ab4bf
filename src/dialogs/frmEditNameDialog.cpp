#include "dialogs/frmEditNameDialog.h"

#include "core/Guarded.h"
#include "dialogs/ButtonArray.h"
#include "dialogs/HelpButton.h"
#include "gamedata/RegisteredPlayersEditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qzc {

namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setVisible(!text.isEmpty());
    return label;
}

} // namespace

frmEditNameDialog::frmEditNameDialog(RegisteredPlayersEditor& editor, const NameChangePrompt& prompt,
                                     Help* help, Log& log, std::function<void()> listRebuilt, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), editor_(editor), prompt_(prompt), help_(help), log_(log),
      listRebuilt_(std::move(listRebuilt)) {
    setObjectName(QStringLiteral("frmEditNameDialog"));
    setWindowTitle(prompt.caption);
    setAttribute(Qt::WA_DeleteOnClose);

    labMsg = namedLabel("labMsg", prompt.message.trimmed(), this);
    labNewValueLeft = namedLabel("labNewValueLeft", prompt.labelLeft, this);
    labNewValueRight = namedLabel("labNewValueRight", prompt.labelRight, this);
    labNewValueBelow = namedLabel("labNewValueBelow", prompt.labelBelow, this);
    textNewValue = new QLineEdit(prompt.value, this);
    textNewValue->setObjectName(QStringLiteral("textNewValue"));
    textNewValue->selectAll();

    makeButtonArray(cmdButton, std::array<QString, 2>{QStringLiteral("Yes"), QStringLiteral("No")}, this,
                    &frmEditNameDialog::cmdButton_Click);
    cmdButton[0]->setDefault(true);
    cmdHelp = makeHelpButton(this, prompt.helpTopic);
    connect(cmdHelp, &QPushButton::clicked, this, [this] {
        cmdHelp_Click();
        // A click leaves the keyboard on Help, where Enter would only open the page again: it
        // goes back to the dialog's buttons. F1 leaves it where it was, typing goes on.
        cmdButton[0]->setFocus();
    });

    auto* entry = new QHBoxLayout;
    entry->addWidget(labNewValueLeft);
    entry->addWidget(textNewValue, 1);
    entry->addWidget(labNewValueRight);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdButton[0]);
    buttons->addWidget(cmdButton[1]);
    buttons->addStretch(1);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labMsg);
    layout->addLayout(entry);
    layout->addWidget(labNewValueBelow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setFocusProxy(textNewValue);
}

void frmEditNameDialog::cmdButton_Click(int index) {
    if (answering_)
        return;
    if (index == 0) {
        answering_ = true;
        bool rebuilt = false;
        guarded(log_, QStringLiteral("frmEditNameDialog - cmdButton_Click"), [this, &rebuilt] {
            const RegisteredPlayerChange::Outcome outcome =
                editor_.applyChange(prompt_, textNewValue->text());
            rebuilt = outcome == RegisteredPlayerChange::Outcome::Written ||
                      outcome == RegisteredPlayerChange::Outcome::Changed;
        });
        answering_ = false;
        if (rebuilt && listRebuilt_)
            listRebuilt_();
    }
    close();
}

void frmEditNameDialog::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

} // namespace qzc
