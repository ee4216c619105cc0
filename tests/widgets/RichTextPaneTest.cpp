#include <gtest/gtest.h>

#include "widgets/RichTextPane.h"

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

}  // namespace
}  // namespace velars
