// The main of every GoogleTest binary of the project: a QApplication on
// Qt's offscreen platform (unless the environment names another), then every
// test, with the environments the binary registered. No test needs a display.

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns about every window it cannot raise; that says
// nothing about the code under test.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    previousHandler(type, context, text);
}

}  // namespace

int main(int argc, char** argv) {
    // Test discovery runs the binary without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    previousHandler = qInstallMessageHandler(QuietOffscreenNotes);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
