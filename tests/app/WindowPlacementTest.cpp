#include <gtest/gtest.h>

#include "app/WindowPlacement.h"
#include "MainFormFixture.h"

namespace velars {
namespace {

struct PlacementCase {
    QSize monitor;
    QPoint expected;
};

// The window's outer size before it is shown on the offscreen platform is
// its client size, 283 x 607.
const PlacementCase kCases[] = {
    {{1920, 1080}, {818, 236}}, {{1280, 1024}, {498, 208}},
    {{800, 600}, {258, 0}},                            // lower than the window: top edge 0
    {{200, 800}, {0, 96}},                             // narrower than the window: left edge 0
    {{100, 100}, {0, 0}},       {{283, 607}, {0, 0}},  // exactly as large
    {{284, 608}, {0, 0}},                              // half a pixel rounds down
    {{285, 609}, {1, 1}},
};

TEST(CentredPosition, CentresOrPutsAtZeroInEachDimension) {
    for (const PlacementCase& c : kCases)
        EXPECT_EQ(CentredPosition(c.monitor, {283, 607}), c.expected)
            << c.monitor.width() << "x" << c.monitor.height();
}

TEST(CentredPosition, UsesTheOuterSizeOfTheWindow) {
    // Frame and caption count: a 300 x 640 frame on a 1000 x 800 monitor.
    EXPECT_EQ(CentredPosition({1000, 800}, {300, 640}), QPoint(350, 80));
    EXPECT_EQ(CentredPosition({1000, 639}, {300, 640}), QPoint(350, 0));
}

class FormCreatePlacement : public test::MainFormTest,
                            public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(FormCreatePlacement, PlacesTheWindowByMonitorZerosSize) {
    platform.monitorSize = GetParam().monitor;
    TmainForm window(platform, factory);
    ASSERT_EQ(window.frameGeometry().size(), QSize(283, 607));
    window.FormCreate();
    EXPECT_EQ(window.pos(), GetParam().expected);
}

using WindowOnScreen = test::MainFormTest;

TEST_F(WindowOnScreen, ThePlacementCountsTheFrameOnceTheWindowHasOne) {
    platform.monitorSize = {1280, 1024};
    form->FormCreate();
    Show();
    QApplication::processEvents();
    // The offscreen platform adds a frame when the window is shown.
    EXPECT_NE(form->frameGeometry().size(), form->size());
    EXPECT_EQ(form->pos(), CentredPosition({1280, 1024}, form->frameGeometry().size()));
}

TEST_F(WindowOnScreen, AWindowMovedAwayIsNotPlacedAgain) {
    form->move(10, 20);
    Show();
    QApplication::processEvents();
    EXPECT_EQ(form->pos(), QPoint(10, 20));
}

INSTANTIATE_TEST_SUITE_P(Monitors, FormCreatePlacement, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace velars
