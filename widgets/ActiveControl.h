#pragma once
// The active control of a window: the control inside it that has the focus,
// or, while the window is inactive, the one that had it last.
//
// A control's Enter fires when it becomes its window's active control,
// whatever moved the focus there: Tab, the Enter key of the previous field,
// a click (also the click that activates the window), code. It does not
// fire when the window merely gets back the control it had, after another
// window or a message box had the focus, or when a list's drop-down part
// closes. Every control that takes the focus counts, the button, the check
// box and the results pane too: leaving a field for one of them and coming
// back enters the field again.

class QWidget;

namespace velars {

class ActiveControl {
public:
    // Makes `control` the active control of its window, from its focus-in
    // event; true when it was not the active control already, that is when
    // its Enter fires.
    static bool Take(QWidget* control);
};

}  // namespace velars
