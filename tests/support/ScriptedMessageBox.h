#pragma once

#include "core/MessageBox.h"

#include <deque>
#include <vector>

namespace qzc::test {

/// A message box that records what it was asked to show and answers from a script
/// (false once the script is used up).
class ScriptedMessageBox final : public MessageBox {
public:
    struct Shown {
        QString text;
        QString caption;
        qint16 style = 0;
        qint16 helpTopic = -1;
        /// The platform's standard box rather than the program's own.
        bool standard = false;
        StandardIcon icon = StandardIcon::None;
    };

    std::vector<Shown> shown;
    std::deque<bool> answers;

    /// The texts shown, in order.
    QStringList texts() const {
        QStringList list;
        for (const Shown& s : shown)
            list << s.text;
        return list;
    }

protected:
    bool show(const Request& request) override {
        shown.push_back(Shown{request.text, request.caption, request.style, request.helpTopic, false,
                              StandardIcon::None});
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showStandard(const QString& text, const QString& caption, StandardIcon icon) override {
        shown.push_back(Shown{text, caption, 0, -1, true, icon});
    }
};

} // namespace qzc::test
