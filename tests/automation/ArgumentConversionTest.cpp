#include "automation/ArgumentConversion.h"

#include <gtest/gtest.h>

#include <climits>

namespace velars {
namespace {

TEST(ArgumentConversion, EveryFourByteIntegerIsAnIntegerArgument) {
    for (std::int32_t value : {INT32_MIN, INT32_MIN + 1, -1, 0, INT32_MAX}) {
        const Variant argument = Variant::FromI4(value);
        EXPECT_EQ(IntegerArgument(argument), value);
        EXPECT_EQ(TextArgument(argument), QString::number(value));
    }
    // Reals round half to even and must land inside the same range.
    EXPECT_EQ(IntegerArgument(Variant::FromR8(-2147483648.4)), INT32_MIN);
    EXPECT_EQ(IntegerArgument(Variant::FromR8(-2147483649.0)), std::nullopt);
    EXPECT_EQ(IntegerArgument(Variant::FromR8(2147483647.5)), std::nullopt);
    EXPECT_EQ(IntegerArgument(Variant::FromR8(2.5)), 2);
}

}  // namespace
}  // namespace velars
