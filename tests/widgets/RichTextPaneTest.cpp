#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "widgets/RichTextPane.h"
#include "tests/support/WindowActivation.h"

namespace velars {
namespace {

TEST(RichTextPane, LinesTextWithCrLfAndClear) {
    RichTextPane pane;
    EXPECT_EQ(pane.LineCount(), 0);
    EXPECT_EQ(pane.Text(), "");
    pane.AddLine("Результаты расчета:");
    pane.AddLine(" ");
    pane.AddLine("");
    EXPECT_EQ(pane.Lines(), QStringList({"Результаты расчета:", " ", ""}));
    EXPECT_EQ(pane.Text(), "Результаты расчета:\r\n \r\n\r\n");
    pane.ClearLines();
    EXPECT_EQ(pane.LineCount(), 0);
    EXPECT_EQ(pane.Text(), "");
    pane.AddLine("a");
    EXPECT_EQ(pane.Text(), "a\r\n");
}

TEST(RichTextPane, SelectionCountsALineEndAsOneCharacter) {
    RichTextPane pane;
    pane.AddLine("abc");
    pane.AddLine("de");
    pane.AddLine("fgh");
    // "de" with its line end: positions 4 and 5, line end at 6.
    pane.Select(4, 3);
    EXPECT_EQ(pane.textCursor().selectionStart(), 4);
    EXPECT_EQ(pane.textCursor().selectionEnd(), 7);
    pane.MakeSelectionBold();
    EXPECT_FALSE(pane.LineIsBold(0));
    EXPECT_TRUE(pane.LineIsBold(1));
    EXPECT_FALSE(pane.LineIsBold(2));
}

TEST(RichTextPane, NewLinesAfterBoldAreRegular) {
    RichTextPane pane;
    pane.AddLine("abc");
    pane.Select(0, 4);
    pane.MakeSelectionBold();
    pane.ClearLines();
    pane.AddLine("abc");
    pane.AddLine("def");
    EXPECT_FALSE(pane.LineIsBold(0));
    EXPECT_FALSE(pane.LineIsBold(1));
}

TEST(RichTextPane, SpanOutsideTheTextIsClipped) {
    RichTextPane pane;
    pane.AddLine("abc");
    pane.Select(-4, 5);
    pane.MakeSelectionBold();
    EXPECT_TRUE(pane.textCursor().selectionStart() >= 0);
    pane.Select(2, 100);
    EXPECT_EQ(pane.textCursor().selectionEnd(), 3);
}

TEST(RichTextPane, TheFrameShowsTheKeyboardFocus) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* field = new QLineEdit(&window);
    auto* pane = new RichTextPane(&window);
    pane->setFixedSize(277, 163);
    layout->addWidget(field);
    layout->addWidget(pane);
    window.show();
    ASSERT_TRUE(testing::ActivateWindow(window));
    const QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
    auto frameColour = [&] {
        const QImage image = pane->grab().toImage();
        return image.pixelColor(0, image.height() / 2);
    };
    field->setFocus(Qt::TabFocusReason);
    EXPECT_NE(frameColour(), highlight);
    pane->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(pane->hasFocus());
    EXPECT_EQ(frameColour(), highlight);
    field->setFocus(Qt::TabFocusReason);
    EXPECT_NE(frameColour(), highlight);
}

}  // namespace
}  // namespace velars
