#pragma once
// Where the window opens: centred on monitor 0 by that monitor's size alone.

#include <QPoint>
#include <QSize>

namespace velars {

// Top-left corner, in desktop coordinates, of a window whose outer size
// (frame and caption included) is `window`, on a first monitor of size
// `monitor`. In each dimension: 0 when the monitor is smaller than the
// window, else half the difference rounded down.
QPoint CentredPosition(QSize monitor, QSize window);

}  // namespace velars
