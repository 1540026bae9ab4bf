#pragma once

#include <QEvent>
#include <QObject>
#include <functional>

class QWidget;

namespace qzc {

/// F1 anywhere in a window: pressed or released in the window or in any of its controls, it
/// goes to one handler before a control can keep it (a text box takes the release of a key
/// it has no use for, so the window's own key handlers never see it). Controls added later
/// are watched too (the editor of a grid cell, a combo box's list); F1 in another window
/// opened above it is left to that window.
class HelpKeyWatch final : public QObject {
public:
    /// Called with QEvent::KeyPress or QEvent::KeyRelease, once for each.
    using Handler = std::function<void(QEvent::Type)>;

    HelpKeyWatch(QWidget& window, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Watches object, when it is a widget, and every widget within it.
    void watch(QObject& object);
    bool inWindow(const QWidget& widget) const;

    QWidget& window_;
    Handler handler_;
};

} // namespace qzc
