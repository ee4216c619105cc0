#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "widgets/CheckBox.h"
#include "tests/support/WindowActivation.h"

namespace velars {
namespace {

// A click anywhere in the box's area ticks it, the empty right part too.
TEST(CheckBox, AClickAnywhereInItsAreaTicksIt) {
    QWidget window;
    auto* box = new CheckBox(QStringLiteral(" Отчет MS Word"), &window);
    box->setGeometry(8, 410, 145, 17);
    window.resize(283, 607);
    window.show();
    ASSERT_TRUE(testing::ActivateWindow(window));
    ASSERT_LT(box->sizeHint().width(), 140) << "the caption leaves room on the right";
    for (const QPoint point : {QPoint(143, 8), QPoint(2, 1), QPoint(144, 16), QPoint(60, 8)}) {
        SCOPED_TRACE(point.x());
        const bool before = box->isChecked();
        QTest::mouseClick(box, Qt::LeftButton, {}, point);
        EXPECT_NE(box->isChecked(), before);
    }
}

}  // namespace
}  // namespace velars
