#include "calc/FloatErrors.h"

namespace velars {

EZeroDivide::EZeroDivide() : EMathError(QStringLiteral("Floating point division by zero")) {}

EOverflow::EOverflow() : EMathError(QStringLiteral("Floating point overflow")) {}

EInvalidOp::EInvalidOp() : EMathError(QStringLiteral("Invalid floating point operation")) {}

}  // namespace velars
