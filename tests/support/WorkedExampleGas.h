#pragma once
// The gas of the worked example as input validation stores it: density
// 0,68 kg/m3, flow 500 nm3/h, 20 °C, 0,3 MPa gauge, 101,325 kPa
// atmospheric. The diameter and everything computed are left to the test.

#include "calc/CalcRecord.h"

namespace velars::test {

inline CalcRecord WorkedExampleGas() {
    CalcRecord r;
    r.valPatm = 101325.0f;
    r.valPizb = 300000.0f;
    r.valTgaza = 293.15f;
    r.valQ = 500.0f;
    r.valPlotnost = 0.68f;
    return r;
}

}  // namespace velars::test
