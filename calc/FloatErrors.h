#pragma once
// Floating-point faults of the calculation: errors, never infinities or NaNs.
#include "numbers/Exception.h"

namespace velars {

class EMathError : public Exception {
public:
    using Exception::Exception;
};
// "Floating point division by zero"
class EZeroDivide : public EMathError {
public:
    EZeroDivide();
};
// "Floating point overflow"
class EOverflow : public EMathError {
public:
    EOverflow();
};
// "Invalid floating point operation"
class EInvalidOp : public EMathError {
public:
    EInvalidOp();
};

}  // namespace velars
