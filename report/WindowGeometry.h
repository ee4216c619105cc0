#pragma once
// Where Word's window goes: 700 × 706, a quarter of the free width from the
// left and an eighth of the free height from the top of monitor 0, or at the
// edge when the main window is larger than the monitor.

#include <QSize>
#include <cstdint>

namespace velars {

struct WordWindowPlacement {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 700;
    std::int32_t height = 706;
    bool operator==(const WordWindowPlacement&) const = default;
};

WordWindowPlacement ComputeWordWindowPlacement(QSize monitor0, QSize mainWindowOuter);

}  // namespace velars
