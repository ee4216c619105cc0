#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "tests/widgets/UserActions.h"
#include "widgets/ColorComboBox.h"
#include "widgets/SystemColors.h"
#include "tests/support/WindowActivation.h"

namespace velars {
namespace {

class ColorComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        combo = new ColorComboBox(&window);
        combo->setFixedSize(120, 22);
        combo->addItems({"27", "50", "80"});
        combo->setCurrentIndex(-1);
        layout->addWidget(combo);
        other = new ColorComboBox(&window);
        layout->addWidget(other);
        window.show();
        ASSERT_TRUE(testing::ActivateWindow(window));
    }
    QWidget window;
    ColorComboBox* combo = nullptr;
    ColorComboBox* other = nullptr;
};

TEST_F(ColorComboBoxTest, ChangeOnlyWhenTheUserPicks) {
    QSignalSpy changed(combo, &ColorComboBox::changed);
    combo->setCurrentIndex(1);
    combo->setCurrentIndex(-1);
    combo->clear();
    combo->addItems({"50", "80", "100"});
    EXPECT_EQ(changed.count(), 0) << "code raises no Change";

    ASSERT_TRUE(testing::PickItem(combo, 2));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(combo->currentText(), "100");

    combo->setFocus(Qt::TabFocusReason);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(changed.count(), 2) << "a pick by keyboard";
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(ColorComboBoxTest, EnterAndClick) {
    QSignalSpy entered(combo, &ColorComboBox::entered);
    QSignalSpy clicked(combo, &ColorComboBox::clicked);
    other->setFocus(Qt::TabFocusReason);
    QTest::keyClick(other, Qt::Key_Backtab);
    ASSERT_TRUE(combo->hasFocus());
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(clicked.count(), 0);
    QTest::mouseClick(combo, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    combo->hidePopup();
    EXPECT_EQ(entered.count(), 1) << "closing the drop-down part is no Enter";
}

TEST_F(ColorComboBoxTest, AClickThatActivatesTheWindowEntersTheList) {
    QWidget otherWindow;
    otherWindow.show();
    other->setFocus(Qt::TabFocusReason);
    QSignalSpy entered(combo, &ColorComboBox::entered);
    otherWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otherWindow));
    QTest::mousePress(combo, Qt::LeftButton);
    combo->hidePopup();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(combo->hasFocus());
    EXPECT_EQ(entered.count(), 1);
}

// The closed list shows no half letter beside the arrow: a text too wide
// for the field ends in "…".
TEST_F(ColorComboBoxTest, TheClosedListElidesATextTooWideForIt) {
    combo->setFixedWidth(238);
    combo->addItem(QString::fromUtf8("ВЕЛАРС-Сфера-ПП (полнопроходной)"));
    combo->setCurrentIndex(3);
    const QString shown = combo->ClosedText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(combo->currentText().startsWith(shown.chopped(1)));
    const QRect text = combo->TextRect();
    EXPECT_LE(combo->fontMetrics().horizontalAdvance(shown), text.width());
    // Drawn so: between the ellipsis and the arrow, only the list's colour.
    combo->SetColorEx(QColor(255, 255, 255));
    const QImage image = combo->grab().toImage();
    const int after = text.left() + combo->fontMetrics().horizontalAdvance(shown) + 2;
    ASSERT_LT(after, text.right());
    for (int x = after; x <= text.right(); ++x)
        for (int y = text.top() + 3; y < text.bottom() - 3; ++y)
            ASSERT_EQ(image.pixelColor(x, y), QColor(255, 255, 255)) << x << "," << y;
    combo->setCurrentIndex(1);
    EXPECT_EQ(combo->ClosedText(), "50");
}

TEST_F(ColorComboBoxTest, BackgroundColourIsSetAndRepaintedAtOnce) {
    EXPECT_EQ(combo->Color(), WindowColor());
    combo->SetColorEx(ColorFromValue(255));
    EXPECT_EQ(combo->Color(), QColor(255, 0, 0));
    const QImage image = combo->grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() / 3, image.height() / 2), QColor(255, 0, 0));
    combo->SetColorEx(WindowColor());
    const QImage restored = combo->grab().toImage();
    EXPECT_NE(restored.pixelColor(restored.width() / 3, restored.height() / 2), QColor(255, 0, 0));
}

TEST_F(ColorComboBoxTest, ItemsAreSixteenPixelsHigh) {
    combo->showPopup();
    EXPECT_EQ(combo->view()->visualRect(combo->model()->index(0, 0)).height(),
              ColorComboBox::kItemHeight);
    EXPECT_EQ(combo->view()->window()->width(), combo->width());
    combo->hidePopup();
}

}  // namespace
}  // namespace velars
