#pragma once

#include <QString>
#include <QtGlobal>

class QPushButton;
class QWidget;

namespace qzc {

class Help;

/// Opens a help topic, with the hourglass shown while the target is found (an online check
/// may take a few seconds). Does nothing without help.
void openHelpTopic(Help* help, qint16 topic, const QString& page = {});

/// A dialog's Help button, named cmdHelp, with the help topic in its "Tag" property.
QPushButton* makeHelpButton(QWidget* parent, qint16 topic);

/// The help topic held in a Help button's "Tag" property (0 when it holds none).
qint16 helpTopicOf(const QPushButton* button);

} // namespace qzc
