#include "dialogs/HelpButton.h"

#include "core/Help.h"
#include "core/NumberText.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>

namespace qzc {

namespace {

class WaitPointer {
public:
    WaitPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitPointer() { QApplication::restoreOverrideCursor(); }
    WaitPointer(const WaitPointer&) = delete;
    WaitPointer& operator=(const WaitPointer&) = delete;
};

} // namespace

void openHelpTopic(Help* help, qint16 topic, const QString& page) {
    if (help == nullptr)
        return;
    WaitPointer wait;
    help->showHelp(topic, page);
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

int twipsToPixels(const QWidget* widget, int twips) {
    return twips * widget->logicalDpiX() / 1440;
}

} // namespace qzc
