#pragma once
// Makes a shown top-level window the active one, as the user's click on it
// does, and waits until the platform reports it active: from then on focus
// and input events reach its controls as they reach them for the user.
// QWidget::activateWindow asks the platform; the offscreen platform grants
// it on the next pass of the event loop, which qWaitForWindowActive runs.

#include <QTest>
#include <QWidget>

namespace velars::testing {

[[nodiscard]] inline bool ActivateWindow(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace velars::testing
