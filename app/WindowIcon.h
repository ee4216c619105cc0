#pragma once
// The icon the program gives its windows (the title bar, the task bar, the
// window switcher): every PNG in the program's resources under ":/icons",
// which the build fills with the sizes a window manager draws from the
// window itself (16 to 64 pixels; larger sizes come from the icon theme
// through the desktop entry).
//
// The PNGs are read by Qt's built-in PNG reader alone: no image format
// plugin is loaded for them.

#include <QIcon>

namespace velars {

// The icon; empty when the resources hold none (a test program).
QIcon WindowIcon();

}  // namespace velars
