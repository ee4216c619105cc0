#include "report/WindowGeometry.h"

namespace velars {

WordWindowPlacement ComputeWordWindowPlacement(QSize monitor0, QSize mainWindowOuter) {
    WordWindowPlacement placement;
    const std::int32_t monitorWidth = monitor0.width();
    const std::int32_t monitorHeight = monitor0.height();
    // Signed division truncating toward zero, negative differences included:
    // a 698-pixel monitor gives 0, not -1.
    placement.left = mainWindowOuter.width() > monitorWidth ? 0
                                                            : (monitorWidth - placement.width) / 4;
    placement.top = mainWindowOuter.height() > monitorHeight
                        ? 0
                        : (monitorHeight - placement.height) / 8;
    return placement;
}

}  // namespace velars
