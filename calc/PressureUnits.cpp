#include "calc/PressureUnits.h"

#include "calc/CheckedArithmetic.h"

namespace velars {

namespace {

// Millimetres of water column per megapascal (1 000 000 / 9.80665) and
// megapascals per millimetre, in double precision: the factors of the
// window's gauge-pressure fields.
constexpr double kMmWaterPerMPa = 101971.62129779282;
constexpr double kMPaPerMmWater = 9.80665e-06;

// The same per-megapascal factor in extended precision, by which the report
// multiplies, and millimetres per pascal (1 / 9.80665), extended too. The
// double and the extended factor differ in their last bits, which can carry
// a product lying within some 1e-16 of a rounding boundary over it: each
// user keeps the factor it has always used.
constexpr long double kMmWaterPerMPaExtended = 101971.62129779282L;
constexpr long double kMmWaterPerPa = 0.10197162129779283L;

}  // namespace

long double MegapascalToMmWater(float megapascals) {
    return checked::Mul(static_cast<long double>(megapascals),
                        static_cast<long double>(kMmWaterPerMPa));
}

float MmWaterToMegapascal(long double millimetres) {
    return checked::ToSingle(checked::Mul(millimetres, static_cast<long double>(kMPaPerMmWater)));
}

long double PascalToMmWaterExtended(float pascal) {
    return static_cast<long double>(pascal) * 0.000001L * kMmWaterPerMPaExtended;
}

float PascalToMmWater(float pascal) {
    return static_cast<float>(static_cast<long double>(pascal) * kMmWaterPerPa);
}

}  // namespace velars
