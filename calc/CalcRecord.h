#pragma once
#include <cstdint>

namespace velars {

// The calculation record of the window: the inputs in SI units, the loss
// coefficients and the two results, all single precision, plus the nominal
// diameter. Zero at start; each field is overwritten only by the step that
// sets it, so a field keeps the last value stored into it.
struct CalcRecord {
    std::int32_t valDy = 0;   // nominal diameter, mm
    float valPatm = 0;        // atmospheric pressure, Pa
    float valPizb = 0;        // gauge pressure, Pa
    float valTgaza = 0;       // gas temperature, K
    float valQ = 0;           // flow rate at standard conditions, nm3/h
    float valPlotnost = 0;    // density at standard conditions, kg/m3
    float valDzetaPP = 0;     // loss coefficient of the meter
    float valDzetaTurb2 = 0;  // coefficient of section 2 of models 3, 4 and 5
    float valDzetaTurb = 0;   // coefficient of the turbulizer
    float valDzetaSum = 0;    // total loss coefficient
    float valDPpoteri = 0;    // largest pressure loss, clean state, Pa
    float valDPdop = 0;       // allowed increase once fouled, Pa
};

}  // namespace velars
