// The main of the real-display tests. They drive the built program from
// outside, as a user would, and link nothing of it: a QCoreApplication is
// enough, where the shared test main (tests/support) opens a QApplication on
// the offscreen platform for the tests that hold widgets in-process.

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
