#pragma once

#include "core/MessageBox.h"
#include "dialogs/ProgramDialog.h"

#include <array>

class QLabel;
class QPushButton;

namespace qzc {

class Help;

/// The program's own message box: a text, an optional image, one or two buttons whose
/// captions follow the style, and a Help button bound to a help topic.
class frmMsg final : public ProgramDialog {
    Q_OBJECT
public:
    /// Style bits.
    static constexpr qint16 okBit = 1;
    static constexpr qint16 yesNoBit = 4;
    static constexpr qint16 yesBits = 6;
    static constexpr qint16 iconBits = 48;
    static constexpr qint16 questionIcon = 32;
    static constexpr qint16 exclamationIcon = 48;
    static constexpr qint16 secondButtonFirst = 256;
    /// The text wraps beyond this width; the box is never narrower than the minimum.
    static constexpr int wrapWidthTwips = 4000;
    static constexpr int minimumWidthTwips = 3000;

    /// help may be null: the Help button then opens nothing.
    explicit frmMsg(Help* help, QWidget* parent = nullptr);

    /// Lays the box out for the request: text, image, buttons, captions and Help button.
    void prepare(const MessageBox::Request& request);
    /// True once the first button was pressed.
    bool firstButtonPressed() const;

    void Form_Load();
    void cmdButton_Click(int index);
    /// The Help button and F1 (as the key goes down).
    void cmdHelp_Click() override;

    QLabel* labMsg = nullptr;
    /// 0 shows the image; 1 holds the question image, 2 the exclamation image.
    std::array<QLabel*, 3> picStore{};
    std::array<QPushButton*, 2> cmdButton{};
    QPushButton* cmdHelp = nullptr;

protected:
    /// The close box and Escape only hide the box, like a button other than the first.
    void reject() override;

private:
    Help* help_;
    bool secondFirst_ = false;
};

} // namespace qzc
