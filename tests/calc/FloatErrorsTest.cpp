#include "calc/FloatErrors.h"

#include <gtest/gtest.h>

#include "calc/CheckedArithmetic.h"

namespace velars {
namespace {

TEST(FloatErrors, MessagesAndFamily) {
    const EZeroDivide zero;
    const EOverflow overflow;
    const EInvalidOp invalid;
    EXPECT_EQ(zero.Message(), "Floating point division by zero");
    EXPECT_EQ(overflow.Message(), "Floating point overflow");
    EXPECT_EQ(invalid.Message(), "Invalid floating point operation");
    const EMathError* asMath = &zero;
    const Exception* asException = asMath;
    EXPECT_STREQ(asException->what(), "Floating point division by zero");
}

TEST(CheckedArithmetic, DivisionByZero) {
    EXPECT_THROW(checked::Div(1.0L, 0.0L), EZeroDivide);
    EXPECT_THROW(checked::Div(-1.0L, -0.0L), EZeroDivide);
    EXPECT_THROW(checked::Div(0.0L, 0.0L), EInvalidOp);
    EXPECT_EQ(checked::Div(1.0L, 4.0L), 0.25L);
}

TEST(CheckedArithmetic, OverflowBeyondEachRange) {
    const long double big = 1e4900L;
    EXPECT_THROW(checked::Mul(big, big), EOverflow);
    EXPECT_THROW(checked::Add(1.1e4932L, 1.1e4932L), EOverflow);
    EXPECT_THROW(checked::ToDouble(1e309L), EOverflow);
    EXPECT_THROW(checked::ToSingle(1e39L), EOverflow);
    EXPECT_THROW(checked::ToSingle(-1e39L), EOverflow);
    EXPECT_EQ(checked::ToSingle(3.4028234e38L), 3.4028234e38f);
}

TEST(CheckedArithmetic, UnderflowIsSilent) {
    EXPECT_EQ(checked::ToSingle(1e-50L), 0.0f);
    EXPECT_EQ(checked::ToSingle(1e-40L), 1e-40f);  // denormal
    EXPECT_EQ(checked::ToDouble(1e-400L), 0.0);
    EXPECT_EQ(checked::Exp(-1e6L), 0.0L);
}

TEST(CheckedArithmetic, FractionalPowerOfNegativeBaseIsInvalid) {
    EXPECT_THROW(checked::Pow(-1.0L, 0.5), EInvalidOp);
    EXPECT_THROW(checked::Pow(-1e-30L, 0.25), EInvalidOp);
    EXPECT_EQ(checked::Pow(-0.5L, 2.0), 0.25L);
    EXPECT_EQ(checked::Pow(0.0L, 0.25), 0.0L);
}

}  // namespace
}  // namespace velars
