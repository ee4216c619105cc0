#include "app/WindowPlacement.h"

namespace velars {

namespace {

int CentredStart(int monitor, int window) {
    if (monitor < window) return 0;
    return (monitor - window) / 2;
}

}  // namespace

QPoint CentredPosition(QSize monitor, QSize window) {
    return {CentredStart(monitor.width(), window.width()),
            CentredStart(monitor.height(), window.height())};
}

}  // namespace velars
