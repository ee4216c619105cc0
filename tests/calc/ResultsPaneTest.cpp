#include "calc/ResultsPane.h"

#include <gtest/gtest.h>

namespace velars {
namespace {

const Separators kSeparators{QLatin1Char(','), QLatin1Char(' ')};

CalcRecord WithResults(float loss, float allowed) {
    CalcRecord r;
    r.valDPpoteri = loss;
    r.valDPdop = allowed;
    return r;
}

// The pane's text as it returns it: every line ends with CR LF.
QString PaneText(const QStringList& lines) { return lines.join("\r\n") + "\r\n"; }

// What a selection covers when a line end counts as one character.
QString Selected(const QStringList& lines, const BoldRun& run) {
    return (lines.join('\n') + '\n').mid(run.start, run.length);
}

TEST(ResultLines, WorkedExampleWithTurbulizer) {
    const CalcRecord r = WithResults(73.76138305664062f, 7.376138210296631f);
    EXPECT_EQ(
        ResultLines(r, 1, kSeparators),
        (QStringList{"Результаты расчета:", "Наибольшие потери давления на ПП",
                     "и турбулизаторе (в чистом состоянии):", "73,76 Па ( 8 мм вод. ст.)", " ",
                     "Допустимое значение увеличения", "перепада давления на загрязненном",
                     "устройстве подготовки потока:", "7,38 Па ( 1 мм вод. ст.)."}));
}

TEST(ResultLines, NumberFormats) {
    const QStringList lines = ResultLines(WithResults(1234.567f, 0.004f), 3, kSeparators);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[3], "1 234,57 Па ( 126 мм вод. ст.)");
    EXPECT_EQ(lines[8], "0,00 Па ( 0 мм вод. ст.).");

    const Separators point{QLatin1Char('.'), QChar()};
    EXPECT_EQ(ResultLines(WithResults(1234.567f, 0), 0, point)[3], "1234.57 Па ( 126 мм вод. ст.)");
}

TEST(BoldRuns, WithoutConditionerFourLines) {
    const QStringList lines = ResultLines(WithResults(73.76f, 7.38f), 0, kSeparators);
    ASSERT_EQ(lines.size(), 4);
    const auto runs = FindBoldRuns(PaneText(lines));
    EXPECT_EQ(runs[0].start, 0);
    EXPECT_EQ(Selected(lines, runs[0]), "Результаты расчета:");
    // From the end of line 3 through line 4 with its line end.
    EXPECT_EQ(Selected(lines, runs[1]), "\n" + lines[3] + "\n");
    EXPECT_EQ(runs[2].start, -4);
    EXPECT_EQ(runs[2].length, 5);
}

TEST(BoldRuns, WithConditionerNineLines) {
    const QStringList lines = ResultLines(WithResults(1234.567f, 123.4567f), 2, kSeparators);
    ASSERT_EQ(lines.size(), 9);
    const auto runs = FindBoldRuns(PaneText(lines));
    EXPECT_EQ(Selected(lines, runs[0]), "Результаты расчета:");
    EXPECT_EQ(Selected(lines, runs[1]), "\n" + lines[3] + "\n \n");
    EXPECT_EQ(Selected(lines, runs[2]), lines[8] + "\n");
    // The run starts exactly at line 9.
    const int line9 = static_cast<int>((lines.mid(0, 8).join('\n') + '\n').size());
    EXPECT_EQ(runs[2].start, line9);
}

TEST(BoldRuns, PositionsFollowTheMarkerSearch) {
    // a = 1-based first occurrence, 0 when absent.
    const auto runs = FindBoldRuns(QStringLiteral("xРеyта:"));
    EXPECT_EQ(runs[0].start, 1);
    EXPECT_EQ(runs[0].length, (5 + 2) - 1);
    EXPECT_EQ(runs[1].start, -1);
    EXPECT_EQ(runs[1].length, 1 - (-1));
    const auto empty = FindBoldRuns(QString());
    EXPECT_EQ(empty[0].start, -1);
    EXPECT_EQ(empty[0].length, 3);
}

}  // namespace
}  // namespace velars
