#include "dialogs/PlainMessageBox.h"

#include "core/Config.h"
#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace qzc {

namespace {

constexpr qint16 kYesNoBit = 4;
constexpr qint16 kOkBit = 1;
constexpr qint16 kIconMask = 48;
constexpr qint16 kExclamation = 48;
constexpr qint16 kQuestion = 32;
constexpr qint16 kSecondFirstBit = 256;

QString captionOr(const QString& caption) {
    return caption.isEmpty() ? Config::appTitle : caption;
}

} // namespace

bool PlainMessageBox::show(const Request& request) {
    QMessageBox box;
    keepFrameOnScreen(box);
    box.setWindowTitle(captionOr(request.caption));
    box.setText(request.text.trimmed());
    if ((request.style & kIconMask) == kExclamation)
        box.setIcon(QMessageBox::Warning);
    else if ((request.style & kIconMask) == kQuestion)
        box.setIcon(QMessageBox::Question);

    const bool yesNo = (request.style & kYesNoBit) != 0;
    QString firstCaption = yesNo ? QStringLiteral("Yes") : QStringLiteral("OK");
    if ((request.style & kOkBit) != 0)
        firstCaption = QStringLiteral("OK");
    QPushButton* first = box.addButton(firstCaption, QMessageBox::AcceptRole);
    QPushButton* second = nullptr;
    if (request.secondButton)
        second =
            box.addButton(yesNo ? QStringLiteral("No") : QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton((request.style & kSecondFirstBit) != 0 && second != nullptr ? second : first);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton*>(first);
}

void PlainMessageBox::showStandard(const QString& text, const QString& caption, StandardIcon icon) {
    QMessageBox box;
    keepFrameOnScreen(box);
    box.setWindowTitle(captionOr(caption));
    box.setText(text);
    switch (icon) {
    case StandardIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case StandardIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case StandardIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case StandardIcon::None:
        break;
    }
    box.addButton(QMessageBox::Ok);
    box.exec();
}

QString PlainMessageBox::askText(const QString& prompt, const QString& caption) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(captionOr(caption));
    dialog.setLabelText(prompt);
    keepFrameOnScreen(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

} // namespace qzc
