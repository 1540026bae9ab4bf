#include "widgets/WindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace qzc {

namespace {

/// The frame around the window's inner area as the window system reports it now (none
/// before the window exists on the screen).
QMargins frameMarginsOf(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

} // namespace

QRect fitFrameInside(const QRect& area, const QRect& frame) {
    const QSize size = frame.size().boundedTo(area.size());
    const int x = std::clamp(frame.x(), area.left(), area.left() + area.width() - size.width());
    const int y = std::clamp(frame.y(), area.top(), area.top() + area.height() - size.height());
    return QRect(QPoint(x, y), size);
}

FrameKeeper::FrameKeeper(QWidget& window, std::optional<QPoint> offset)
    : QObject(&window), window_(window), offset_(offset) {
    setObjectName(QStringLiteral("FrameKeeper"));
    window.installEventFilter(this);
}

void FrameKeeper::place() {
    placeBy(frameMarginsOf(window_));
}

void FrameKeeper::frameLearnt(const QMargins& frame) {
    if (learnt_)
        return;
    learnt_ = true;
    window_.removeEventFilter(this);
    placeBy(frame);
}

bool FrameKeeper::eventFilter(QObject* watched, QEvent* event) {
    // A window manager decorates a window once it is shown; the frame is known by the
    // window's first paint after that, or its first move or resize.
    const QEvent::Type type = event->type();
    const bool firstShow = type == QEvent::Show && !shown_;
    const bool changed = shown_ && (type == QEvent::Paint || type == QEvent::Move || type == QEvent::Resize);
    if (watched != &window_ || (!firstShow && !changed))
        return false;
    shown_ = true;
    const QMargins frame = frameMarginsOf(window_);
    if (firstShow) {
        // The frame may be known before the window is on the screen, or not yet.
        if (frame.isNull())
            placeBy(frame);
        else
            frameLearnt(frame);
    } else if (!frame.isNull()) {
        // Placed once the paint or move under way is done.
        window_.removeEventFilter(this);
        QMetaObject::invokeMethod(
            this, [this, frame] { frameLearnt(frame); }, Qt::QueuedConnection);
    }
    return false;
}

void FrameKeeper::placeBy(const QMargins& frame) {
    const QScreen* screen = window_.screen();
    if (screen == nullptr || (window_.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect area = screen->availableGeometry();
    const QRect inner = window_.geometry();
    QRect wanted = inner.marginsAdded(frame);
    if (offset_)
        wanted.moveTopLeft(area.topLeft() + *offset_);
    const QRect fitted = fitFrameInside(area, wanted).marginsRemoved(frame);
    if (fitted == inner)
        return;
    if (window_.testAttribute(Qt::WA_WState_Created)) {
        window_.setGeometry(fitted);
    } else {
        // Not yet on the screen: the position given then is that of the frame, wherever
        // the window manager puts the title bar.
        window_.resize(fitted.size());
        window_.move(fitted.topLeft() - QPoint(frame.left(), frame.top()));
    }
}

void keepFrameOnScreen(QWidget& window) {
    new FrameKeeper(window, std::nullopt);
}

} // namespace qzc
