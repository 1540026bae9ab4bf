#include "dialogs/HelpButton.h"

#include "core/Help.h"
#include "core/NumberText.h"
#include "platform/BusyPointer.h"

#include <QPushButton>
#include <QStyle>

namespace qzc {

void openHelpTopic(Help* help, qint16 topic, const QString& page) {
    if (help == nullptr)
        return;
    QString target;
    {
        const BusyPointer busy;
        target = help->helpTarget(topic, page);
    }
    // Not busy while the page opens: a message about it waits for the director.
    help->openTarget(target);
}

QPushButton* makeHelpButton(QWidget* parent, qint16 topic) {
    auto* button = new QPushButton(parent->style()->standardIcon(QStyle::SP_DialogHelpButton),
                                   QStringLiteral("Help"), parent);
    button->setObjectName(QStringLiteral("cmdHelp"));
    button->setAutoDefault(false);
    button->setProperty("Tag", QString::number(topic));
    return button;
}

qint16 helpTopicOf(const QPushButton* button) {
    return StrToInt(button->property("Tag").toString());
}

} // namespace qzc
