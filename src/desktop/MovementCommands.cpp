#include "desktop/MovementCommands.h"

#include "core/MessageBox.h"
#include "desktop/frmdesktop.h"

#include <QStringList>

namespace qzc {

namespace {

constexpr qint16 kOkWarning = 49;
constexpr qint16 kWarningYesNoSecond = 308;
constexpr qint16 kHelpTopic = 14;

} // namespace

MovementCommands::MovementCommands(const Services& services, frmdesktop& window)
    : messages_(services.messages), window_(window),
      newMovement_(services.db, services.log, services.gameData, services.session, window) {
    setObjectName(QStringLiteral("MovementCommands"));
}

void MovementCommands::mnuplay_updatemove_Click() {
    const std::optional<SectionListEntry> section = window_.selectedSection();
    if (!section) {
        messages_.showMsg(QStringLiteral("Please choose the section whose next stanza is to start."),
                          QString(), kOkWarning, kHelpTopic);
        return;
    }
    window_.chooseFirstViewIfNone();
    const NewMovement::Outcome outcome =
        newMovement_.mnuplay_updatemove_Click(section->sectionId, section->text);
    if (!outcome.started)
        messages_.showMsg(outcome.message, QString(), kOkWarning, kHelpTopic);
}

void MovementCommands::cmdUpdateMove_Click() {
    window_.Close_PopUp();
    mnuplay_updatemove_Click();
}

void MovementCommands::mnu_sys_forcedstart_Click() {
    MessageBox::Request question;
    question.text =
        QStringList{QStringLiteral("WARNING"),
                    QStringLiteral("Result(s) from previous rounds is missing."),
                    QStringLiteral("Forced start means that all old results will be erased"),
                    QStringLiteral("from the tabletops memory."),
                    QStringLiteral("Therefore please make sure that you have a backup of the results"),
                    QStringLiteral("somewhere else before using this command."),
                    QStringLiteral("(Results can be extracted from the tabletops"),
                    QStringLiteral("via the TDs Admin menu and Records.)"),
                    QString(),
                    QStringLiteral("Do you really want to continue?")}
            .join(QStringLiteral("\r\n"));
    question.style = kWarningYesNoSecond;
    question.secondButton = true;
    if (!messages_.showMsg(question))
        return;
    window_.repaint();
    cmdUpdateMove_Click();
}

} // namespace qzc
