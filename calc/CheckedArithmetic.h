#pragma once
// Extended-precision arithmetic that turns floating-point faults into
// exceptions instead of infinities or NaNs: a division by zero raises
// EZeroDivide (EInvalidOp for 0/0), a result beyond the extended, double or
// single range raises EOverflow, an operation without a defined result
// (a negative base under a fractional power) raises EInvalidOp. Underflow is
// silent: the result is zero or denormal.
//
// The checks are plain comparisons on the result; the throwing paths live
// out of line so that the computing code stays small.

#include <cmath>

namespace velars::checked {

[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseInvalidOp();
// EInvalidOp for a NaN, EOverflow for an infinity.
[[noreturn]] void RaiseNonFinite(long double value);

inline long double Finite(long double value) {
    if (!std::isfinite(value)) [[unlikely]]
        RaiseNonFinite(value);
    return value;
}

inline long double Mul(long double a, long double b) { return Finite(a * b); }

inline long double Add(long double a, long double b) { return Finite(a + b); }

inline long double Div(long double dividend, long double divisor) {
    if (divisor == 0) [[unlikely]] {
        if (dividend == 0 || std::isnan(dividend)) RaiseInvalidOp();
        RaiseZeroDivide();
    }
    return Finite(dividend / divisor);
}

// Rounds to single precision, as storing into a float field does.
inline float ToSingle(long double value) {
    const float rounded = static_cast<float>(value);
    if (!std::isfinite(rounded)) [[unlikely]]
        RaiseNonFinite(std::isnan(value) ? value : HUGE_VALL);
    return rounded;
}

// Rounds to double precision, as passing an argument to the power and
// exponential functions does.
inline double ToDouble(long double value) {
    const double rounded = static_cast<double>(value);
    if (!std::isfinite(rounded)) [[unlikely]]
        RaiseNonFinite(std::isnan(value) ? value : HUGE_VALL);
    return rounded;
}

// base^exponent on the base rounded to double; a negative base under a
// fractional exponent is an invalid operation.
inline long double Pow(long double base, double exponent) {
    const double b = ToDouble(base);
    if (b < 0 && std::trunc(exponent) != exponent) [[unlikely]]
        RaiseInvalidOp();
    return Finite(std::pow(b, exponent));
}

// e^x on x rounded to double.
inline long double Exp(long double x) { return Finite(std::exp(ToDouble(x))); }

}  // namespace velars::checked
