#pragma once

#include "core/MessageBox.h"
#include "support/TransactionWatch.h"

#include <deque>
#include <functional>
#include <vector>

namespace qzc::test {

/// A message box that records what it was asked to show and answers from a script; once
/// the script is used up it answers unscriptedAnswer. whileShown runs while a box is up,
/// as the events that a modal box lets through.
class ScriptedMessageBox final : public MessageBox {
public:
    struct Shown : Request {
        /// The platform's standard box rather than the program's own.
        bool standard = false;
        StandardIcon icon = StandardIcon::None;
    };

    std::vector<Shown> shown;
    std::deque<bool> answers;
    bool unscriptedAnswer = false;
    std::function<void()> whileShown;
    /// The prompts of the input boxes, and what is typed into them in turn (then nothing).
    QStringList prompts;
    std::deque<QString> typed;
    TransactionWatch transactions;

    /// The texts shown, in order.
    QStringList texts() const {
        QStringList list;
        for (const Shown& s : shown)
            list << s.text;
        return list;
    }

protected:
    bool show(const Request& request) override {
        transactions.checkClosed(request.text);
        shown.push_back(Shown{request, false, StandardIcon::None});
        if (whileShown)
            whileShown();
        if (answers.empty())
            return unscriptedAnswer;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString askText(const QString& prompt, const QString&) override {
        transactions.checkClosed(prompt);
        prompts << prompt;
        if (typed.empty())
            return {};
        QString text = typed.front();
        typed.pop_front();
        return text;
    }
    void showStandard(const QString& text, const QString& caption, StandardIcon icon) override {
        transactions.checkClosed(text);
        Shown box;
        box.text = text;
        box.caption = caption;
        box.standard = true;
        box.icon = icon;
        shown.push_back(box);
    }
};

} // namespace qzc::test
