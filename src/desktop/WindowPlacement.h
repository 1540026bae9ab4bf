#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace qzc {

/// The place of a window frame inside area: where it was wanted when it fits there, else
/// moved in from the edges it crosses, and made smaller when it is larger than area.
QRect fitFrameInside(const QRect& area, const QRect& frame);

/// Places a top-level window so that its whole frame, title bar included, lies inside the
/// available area of its screen (panels and docks left free): the frame's top-left corner
/// at offset from the area's, the window made smaller where the area needs it. The frame
/// is measured as the window system reports it (nothing before the window is shown).
void placeInsideScreen(QWidget& window, QPoint offset);

} // namespace qzc
