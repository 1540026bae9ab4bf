#include "dialogs/frmPlayerName.h"

#include "core/Config.h"
#include "core/MessageBox.h"
#include "dialogs/ButtonArray.h"
#include "dialogs/HelpButton.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qzc {

namespace {

/// Option buttons under a label, in a group of their own so each row is exclusive.
template <std::size_t N>
QButtonGroup* addOptions(std::array<QRadioButton*, N>& options, const char* name, const QString& label,
                         const std::array<const char*, N>& captions, QVBoxLayout* layout, QWidget* parent) {
    auto* caption = new QLabel(label, parent);
    layout->addWidget(caption);
    auto* row = new QHBoxLayout;
    auto* group = new QButtonGroup(parent);
    for (std::size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(QLatin1String(captions[i]), parent);
        options[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(options[i], static_cast<int>(i));
        row->addWidget(options[i]);
    }
    row->addStretch(1);
    layout->addLayout(row);
    return group;
}

} // namespace

frmPlayerName::frmPlayerName(Config& config, MessageBox& messages, Help* help, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), preferences_(config), config_(config), messages_(messages),
      help_(help) {
    setObjectName(QStringLiteral("frmPlayerName"));
    setWindowTitle(QStringLiteral("Preferences"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    optPlayerNameGroup_ =
        addOptions(optPlayerName, "optPlayerName", QStringLiteral("Indicate which name is most important:"),
                   {"Last", "Mid", "First"}, layout, this);
    addOptions(optPrinting, "optPrinting", QStringLiteral("Print name list sorted by:"), {"Name", "Number"},
               layout, this);
    addOptions(optoverwritename, "optoverwritename",
               QStringLiteral("Send confirmed names to scoring program?"), {"Yes", "No"}, layout, this);
    chkHideGSwindow = new QCheckBox(QStringLiteral("Do not show Game settings at start"), this);
    chkHideGSwindow->setObjectName(QStringLiteral("chkHideGSwindow"));
    layout->addWidget(chkHideGSwindow);

    makeButtonArray(cmdButton, std::array<QString, 2>{QStringLiteral("Save"), QStringLiteral("Cancel")}, this,
                    &frmPlayerName::cmdButton_Click);
    auto* buttons = new QHBoxLayout;
    cmdHelp = makeHelpButton(this, NamePreferences::helpTopic);
    connect(cmdHelp, &QPushButton::clicked, this, &frmPlayerName::cmdHelp_Click);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    for (QPushButton* button : cmdButton)
        buttons->addWidget(button);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();
}

void frmPlayerName::Form_Load() {
    const NamePreferenceChoice choice = preferences_.Form_Load();
    chkHideGSwindow->setChecked(choice.hideGameSettings);
    optPrinting[choice.sortByNumber ? 1 : 0]->setChecked(true);
    optoverwritename[choice.sendToScoring ? 0 : 1]->setChecked(true);
    // A stored preference outside 0 to 2 selects none; Save then keeps it.
    if (choice.playerNamePreference >= 0)
        optPlayerName[static_cast<std::size_t>(choice.playerNamePreference)]->setChecked(true);
}

void frmPlayerName::cmdButton_Click(int index) {
    if (index == 0) {
        NamePreferenceChoice choice;
        choice.playerNamePreference = static_cast<qint16>(optPlayerNameGroup_->checkedId());
        choice.sortByNumber = optPrinting[1]->isChecked();
        choice.sendToScoring = !optoverwritename[1]->isChecked();
        choice.hideGameSettings = chkHideGSwindow->isChecked();
        if (!preferences_.save(choice))
            messages_.showMsg(QStringLiteral("The preferences could not be saved in ") +
                                  config_.ini().path() +
                                  QStringLiteral("; they hold until the program ends."),
                              QString(), 48, -1);
    }
    close();
}

void frmPlayerName::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
}

} // namespace qzc
