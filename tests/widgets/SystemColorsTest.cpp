#include <gtest/gtest.h>

#include "widgets/SystemColors.h"

namespace velars {
namespace {

TEST(ColorFromValue, RedIsInTheLowByte) {
    struct Case {
        std::uint32_t value;
        QColor color;
    };
    const Case cases[] = {
        {255, QColor(255, 0, 0)},
        {0x008000, QColor(0, 128, 0)},
        {16760205, QColor(141, 189, 255)},
        {0xFFFFFF, QColor(255, 255, 255)},
        {0, QColor(0, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorFromValue(c.value), c.color) << c.value;
}

}  // namespace
}  // namespace velars
