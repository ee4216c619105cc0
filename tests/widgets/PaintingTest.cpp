#include <QImage>
#include <gtest/gtest.h>

#include "widgets/GlassButton.h"
#include "widgets/RichLabel.h"

namespace velars {
namespace {

// Rows of the image with any dark pixel between columns [from, to).
std::pair<int, int> InkRows(const QImage& image, int from, int to) {
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < to; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

TEST(RichLabel, RaisedAndLoweredRunsAreDrawnAboveAndBelowTheBaseline) {
    for (const TextRun::Shift shift : {TextRun::Raised, TextRun::Lowered}) {
        RichLabel label;
        QFont font("Arial");
        font.setPointSizeF(10);
        font.setBold(true);
        label.setFont(font);
        label.resize(60, 25);
        label.SetRuns({{"H", TextRun::Normal}, {"H", shift}});
        EXPECT_EQ(label.PlainText(), "HH");
        QImage image(label.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        label.render(&image);
        const int split = QFontMetrics(font).horizontalAdvance("H");
        const auto normal = InkRows(image, 0, split);
        const auto shifted = InkRows(image, split, image.width());
        ASSERT_GE(normal.second, 0);
        ASSERT_GE(shifted.second, 0);
        // Two points at 96 pixels per inch: about 2.7 pixels.
        const int expected = shift == TextRun::Raised ? -3 : 3;
        EXPECT_NEAR(shifted.first - normal.first, expected, 1) << int(shift);
        EXPECT_NEAR(shifted.second - normal.second, expected, 1) << int(shift);
    }
}

TEST(GlassButton, FaceBordersAndCaptionInTheirColours) {
    GlassButton button("Расчитать");
    button.resize(100, 32);
    button.SetColors(
        {QColor(0, 128, 0), Qt::white, QColor(141, 189, 255), Qt::black, Qt::white, Qt::white});
    const QImage image = button.grab().toImage();
    EXPECT_EQ(image.pixelColor(4, 26), QColor(0, 128, 0)) << "face, below the shine";
    EXPECT_EQ(image.pixelColor(50, 0).lightness(), 255) << "outer border";
    EXPECT_LT(image.pixelColor(50, 1).lightness(), 60) << "inner border";
    bool caption = false;
    for (int x = 20; x < 80 && !caption; ++x)
        caption = image.pixelColor(x, 18) == QColor(Qt::white);
    EXPECT_TRUE(caption) << "white caption text";
}

}  // namespace
}  // namespace velars
