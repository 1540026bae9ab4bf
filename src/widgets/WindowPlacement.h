#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <optional>

class QWidget;

namespace qzc {

/// The place of a window frame inside area: where it was wanted when it fits there, else
/// moved in from the edges it crosses, and made smaller when it is larger than area.
QRect fitFrameInside(const QRect& area, const QRect& frame);

/// Keeps the whole frame of a top-level window, title bar included, inside the available
/// area of its screen (panels and docks left free). The window is placed when it is first
/// shown, by the frame known then, and once more when the window system first reports a
/// frame: a window manager under X11 decorates a window only after it is shown, so before
/// that its frame is not known. From then on the window is the user's to move. The keeper
/// is a child of the window.
class FrameKeeper final : public QObject {
    Q_OBJECT
public:
    /// With an offset, the frame's top-left corner goes that far from the area's; without
    /// one the window stays where it was put (a dialog centred on its owner) as far as its
    /// frame stays inside the area.
    FrameKeeper(QWidget& window, std::optional<QPoint> offset);

    /// Places the window now, by the frame the window system reports (none before it is
    /// shown).
    void place();
    /// The window system has given the window this frame: the window is placed by it, the
    /// first time only.
    void frameLearnt(const QMargins& frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBy(const QMargins& frame);

    QWidget& window_;
    std::optional<QPoint> offset_;
    bool shown_ = false;
    bool learnt_ = false;
};

/// Keeps the frame of a window or dialog inside its screen from its first showing on,
/// leaving it where it was put as far as it fits (see FrameKeeper).
void keepFrameOnScreen(QWidget& window);

} // namespace qzc
