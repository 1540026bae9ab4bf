#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// What the engine asks of the program's message boxes. The main window's own box and the
/// platform's standard box implement it in the UI; tests answer with a script.
class MessageBox {
public:
    /// Icon of the platform's standard message box.
    enum class StandardIcon { None, Critical, Exclamation, Information };

    /// The style bit of a question: "Yes" and "No".
    static constexpr qint16 yesNoStyle = 4;

    /// Style bits of the program's own box: 1 "OK", 4 "Yes"/"No", 32 question image,
    /// 48 exclamation image, 256 the second button has the focus.
    struct Request {
        QString text;
        /// The caption; the application title when empty.
        QString caption;
        qint16 style = 0;
        /// Below 0: no Help button.
        qint16 helpTopic = -1;
        /// Whether the second button is shown; showMsg sets it for every Yes/No style.
        bool secondButton = false;
        qint16 labelStyle = 0;
        bool modeless = false;
    };

    virtual ~MessageBox() = default;

    /// Shows the program's own modal box; true only when its first button was pressed.
    /// An empty text shows nothing and answers false. A question (a Yes/No style) always
    /// shows its second button, whether the caller asked for it or not, so that it can be
    /// answered No. Once the program ends it answers false, shown or not (programEnded).
    bool showMsg(const QString& text, const QString& caption, qint16 style, qint16 helpTopic,
                 bool secondButton = false) {
        return showMsg(Request{text, caption, style, helpTopic, secondButton});
    }
    bool showMsg(const Request& request) {
        if (request.text.isEmpty() || ended_)
            return false;
        Request complete = request;
        if ((request.style & yesNoStyle) == yesNoStyle)
            complete.secondButton = true;
        const bool firstButton = show(complete);
        return firstButton && !ended_;
    }

    /// The platform's standard message box with an OK button only (start-up errors that
    /// come before the program's own windows exist).
    void showStandardMsg(const QString& text, const QString& caption, StandardIcon icon) {
        if (!ended_)
            showStandard(text, caption, icon);
    }

    /// The platform's standard input box, modal: the text typed, or empty when the box was
    /// cancelled or the program ended. The caption is the application title when empty.
    QString InputBox(const QString& prompt, const QString& caption = {}) {
        if (ended_)
            return {};
        QString typed = askText(prompt, caption);
        return ended_ ? QString() : typed;
    }

    /// The program has begun to end: every box from now on returns at once, and a box open
    /// now (which the end of the program's event loops closes) returns unanswered too.
    void endBoxes() { ended_ = true; }
    /// Whether the program has begun to end. A box's answer is then no answer: whatever
    /// goes on after a box stops here, reading, writing, starting and opening nothing.
    bool programEnded() const { return ended_; }

protected:
    virtual bool show(const Request& request) = 0;
    virtual void showStandard(const QString& text, const QString& caption, StandardIcon icon) = 0;
    /// A box that cannot ask answers as a cancelled one.
    virtual QString askText(const QString& prompt, const QString& caption) {
        Q_UNUSED(prompt);
        Q_UNUSED(caption);
        return {};
    }

private:
    bool ended_ = false;
};

} // namespace qzc
