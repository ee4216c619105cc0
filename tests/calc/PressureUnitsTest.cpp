#include "calc/PressureUnits.h"

#include <gtest/gtest.h>

#include <limits>

#include "calc/FloatErrors.h"

namespace velars {
namespace {

TEST(PressureUnits, PascalsToMillimetresRoundedToSingle) {
    EXPECT_EQ(PascalToMmWater(9.80665f), 1.0f);
    EXPECT_EQ(PascalToMmWater(0.0f), 0.0f);
    EXPECT_NEAR(PascalToMmWater(1234.567f), 125.89, 0.005);
}

TEST(PressureUnits, TheGaugePressureOfTheReportGoesThroughMegapascals) {
    // 0.1 MPa: 10 197.16 mm, from the single nearest to 100 000 Pa.
    EXPECT_NEAR(PascalToMmWaterExtended(100000.0f), 10197.162129779282L, 1e-9L);
    EXPECT_EQ(PascalToMmWaterExtended(0.0f), 0.0L);
}

TEST(PressureUnits, TheTwinFieldsConvertBothWaysAndRaiseBeyondSingle) {
    EXPECT_NEAR(MegapascalToMmWater(1.0f), 101971.62129779282L, 1e-9L);
    EXPECT_EQ(MmWaterToMegapascal(101971.62129779282L), 1.0f);
    EXPECT_EQ(MmWaterToMegapascal(1.0L), 9.80665e-06f);
    // The megapascal field holds a single, whose product stays finite; the
    // millimetre field holds any number, whose product may not fit a single.
    EXPECT_NO_THROW(MegapascalToMmWater(std::numeric_limits<float>::max()));
    EXPECT_THROW(MmWaterToMegapascal(1e45L), EOverflow);
}

}  // namespace
}  // namespace velars
