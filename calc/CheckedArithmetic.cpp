#include "calc/CheckedArithmetic.h"

#include "calc/FloatErrors.h"

namespace velars::checked {

void RaiseZeroDivide() { throw EZeroDivide(); }

void RaiseInvalidOp() { throw EInvalidOp(); }

void RaiseNonFinite(long double value) {
    if (std::isnan(value)) throw EInvalidOp();
    throw EOverflow();
}

}  // namespace velars::checked
