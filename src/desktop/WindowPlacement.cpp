#include "desktop/WindowPlacement.h"

#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace qzc {

QRect fitFrameInside(const QRect& area, const QRect& frame) {
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(x, y), size);
}

void placeInsideScreen(QWidget& window, QPoint offset) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    const QRect wanted(area.topLeft() + offset, frame.size());
    const QRect fitted = fitFrameInside(area, wanted);
    window.resize(fitted.size().shrunkBy(margins));
    // The position of a window includes its frame.
    window.move(fitted.topLeft());
}

} // namespace qzc
