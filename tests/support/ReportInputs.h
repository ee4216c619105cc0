#pragma once
// The installations the Writer tests and the report benchmarks report on.

#include "report/ReportContent.h"

namespace velars::test {

// Model 3 with turbulizer H, Dy 100, 0,68 kg/m3, 500 nm3/h, 20 °C, 0,3 MPa,
// 101,325 kPa.
ReportInputs WorkedExample();
// Model 0, section 0, Dy 100, the same gas.
ReportInputs ModelZeroSectionZero();

}  // namespace velars::test
