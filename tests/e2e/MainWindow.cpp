#include "MainWindow.h"

namespace velars::test {

void EnterWorkedExample(RealDisplay& display, int instance) {
    display.ClickAt(display.Main(instance).geometry.topLeft() + at::mePlotnost);
    display.Key(QStringLiteral("shift+Tab shift+Tab"));
    display.Key(QStringLiteral("Down Down Down Down Tab Down Down Tab Down Down Down Down Tab"));
    for (const char* value : {"0,68", "500", "0,3", "", "101,325", "20"}) {
        display.Type(QString::fromUtf8(value));
        display.Key(QStringLiteral("Tab"));
    }
}

}  // namespace velars::test
