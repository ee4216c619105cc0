#pragma once
// Colours of the window: the system colours by their framework names and
// plain colour values (blue in the high byte, red in the low byte).

#include <QColor>
#include <cstdint>

namespace velars {

// A plain colour value: 0x00BBGGRR, so 255 is pure red.
QColor ColorFromValue(std::uint32_t value);

// The window-background colour of text fields and lists (clWindow).
QColor WindowColor();

// The colour of button faces, the background of the window (clBtnFace).
QColor ButtonFaceColor();

}  // namespace velars
