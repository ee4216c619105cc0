#include "widgets/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace velars {

QColor ColorFromValue(std::uint32_t value) {
    return QColor(int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu));
}

QColor WindowColor() { return QGuiApplication::palette().color(QPalette::Active, QPalette::Base); }

QColor ButtonFaceColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
}

}  // namespace velars
