#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace qzc::test {

/// A left-button event of the given type at pos in widget.
inline void sendMouse(QWidget* widget, QEvent::Type type, const QPoint& pos) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

/// A left click (press and release) at pos in widget; its centre by default.
inline void click(QWidget* widget, QPoint pos = QPoint(-1, -1)) {
    if (pos == QPoint(-1, -1))
        pos = widget->rect().center();
    sendMouse(widget, QEvent::MouseButtonPress, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

/// A double click at pos in widget, as the window system sends it.
inline void doubleClick(QWidget* widget, const QPoint& pos) {
    click(widget, pos);
    sendMouse(widget, QEvent::MouseButtonDblClick, pos);
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

/// One key pressed and released.
inline void pressKey(QWidget* widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

/// Every character of text typed into widget.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        pressKey(widget, c.toUpper().unicode(), QString(c));
}

} // namespace qzc::test
