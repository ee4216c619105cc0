#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "widgets/SystemColors.h"
#include "widgets/TextField.h"
#include "tests/support/WindowActivation.h"

namespace velars {
namespace {

// Three fields in an active window, so that focus moves as for the user.
class TextFieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        for (TextField*& field : fields) {
            field = new TextField(&window);
            layout->addWidget(field);
        }
        window.show();
        ASSERT_TRUE(testing::ActivateWindow(window));
    }
    QWidget window;
    TextField* fields[3] = {};
};

TEST_F(TextFieldTest, ChangeOnEveryNewTextFromCodeOrKeyboardButNotForTheSameText) {
    TextField* field = fields[0];
    QSignalSpy changed(field, &TextField::changed);
    field->setText("12");
    EXPECT_EQ(changed.count(), 1);
    field->setText("12");
    EXPECT_EQ(changed.count(), 1) << "the text it already holds";
    field->setText("");
    EXPECT_EQ(changed.count(), 2);
    field->setText("");
    EXPECT_EQ(changed.count(), 2);

    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field, "0,5");
    EXPECT_EQ(changed.count(), 5) << "one Change per keystroke";
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(changed.count(), 6);
}

TEST_F(TextFieldTest, FocusPutsTheCaretAtTheStartWithTheFirstCharacterSelected) {
    fields[1]->setText("0,3");
    fields[0]->setFocus(Qt::TabFocusReason);
    QSignalSpy entered(fields[1], &TextField::entered);
    QTest::keyClick(fields[0], Qt::Key_Tab);
    ASSERT_TRUE(fields[1]->hasFocus());
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(fields[1]->cursorPosition(), 0);
    EXPECT_EQ(fields[1]->selectionStart(), 0);
    EXPECT_EQ(fields[1]->selectedText(), "0");
}

TEST_F(TextFieldTest, EnterKeyMovesTheFocusOnLikeTab) {
    fields[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(fields[0], "7");
    QTest::keyClick(fields[0], Qt::Key_Return);
    EXPECT_TRUE(fields[1]->hasFocus());
    QTest::keyClick(fields[1], Qt::Key_Enter);
    EXPECT_TRUE(fields[2]->hasFocus());
    EXPECT_EQ(fields[0]->text(), "7") << "Enter types nothing";
}

TEST_F(TextFieldTest, ClickAndDoubleClick) {
    QSignalSpy clicked(fields[2], &TextField::clicked);
    QSignalSpy doubleClicked(fields[2], &TextField::doubleClicked);
    QSignalSpy entered(fields[2], &TextField::entered);
    QTest::mouseClick(fields[2], Qt::LeftButton);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(fields[2], Qt::LeftButton);
    EXPECT_EQ(entered.count(), 1) << "a click in the focused field is no Enter";
    EXPECT_EQ(clicked.count(), 2);
    QTest::mouseDClick(fields[2], Qt::LeftButton);
    EXPECT_EQ(doubleClicked.count(), 1);
}

TEST_F(TextFieldTest, ReactivatingTheWindowIsNoEnter) {
    fields[0]->setFocus(Qt::TabFocusReason);
    QSignalSpy entered(fields[0], &TextField::entered);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(fields[0], &focusIn);
    EXPECT_EQ(entered.count(), 0);
}

// Enter follows the window's active control: a click that activates the
// window enters the field clicked; the window getting back the field it had
// does not; a field left for a control without Enter is entered again.
TEST_F(TextFieldTest, EnterFiresWhenTheActiveControlOfTheWindowChanges) {
    QWidget other;
    other.show();
    fields[0]->setFocus(Qt::TabFocusReason);
    QSignalSpy entered0(fields[0], &TextField::entered);
    QSignalSpy entered1(fields[1], &TextField::entered);
    auto activate = [](QWidget* w) {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    };

    ASSERT_TRUE(activate(&other));
    ASSERT_TRUE(activate(&window));
    EXPECT_TRUE(fields[0]->hasFocus());
    EXPECT_EQ(entered0.count(), 0) << "the window got back the field it had";

    ASSERT_TRUE(activate(&other));
    QTest::mouseClick(fields[1], Qt::LeftButton);  // the click reaches the inactive window
    ASSERT_TRUE(activate(&window));
    ASSERT_TRUE(fields[1]->hasFocus());
    EXPECT_EQ(entered1.count(), 1) << "the click that activates the window is an Enter";
    EXPECT_EQ(entered0.count(), 0);

    auto* button = new QPushButton(&window);
    button->show();
    button->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(fields[1], Qt::LeftButton);
    EXPECT_EQ(entered1.count(), 2) << "back from the button";
}

TEST_F(TextFieldTest, BackgroundColourCanBeSet) {
    TextField* field = fields[0];
    EXPECT_EQ(field->Color(), WindowColor());
    field->SetColor(ColorFromValue(255));
    EXPECT_EQ(field->Color(), QColor(255, 0, 0));
    EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(field->palette().color(QPalette::Inactive, QPalette::Base), QColor(255, 0, 0));
}

}  // namespace
}  // namespace velars
