#pragma once

#include <QPushButton>
#include <QString>
#include <array>

namespace qzc {

/// A dialog's button array cmdButton: buttons named cmdButton_0, cmdButton_1, ... with the
/// captions given, each click handing its index to the dialog's handler.
template <typename Dialog, std::size_t N>
void makeButtonArray(std::array<QPushButton*, N>& buttons, const std::array<QString, N>& captions,
                     Dialog* dialog, void (Dialog::*handler)(int)) {
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QPushButton(captions[i], dialog);
        buttons[i]->setObjectName(QStringLiteral("cmdButton_%1").arg(i));
        QObject::connect(buttons[i], &QPushButton::clicked, dialog,
                         [dialog, handler, i] { (dialog->*handler)(static_cast<int>(i)); });
    }
}

} // namespace qzc
