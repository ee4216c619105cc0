#pragma once
// The report's "Ход расчета" part: how the results were reached, for a
// reviewer who re-checks every figure. Written only when asked for (the
// tool's --detailed, the window's "Отчет с ходом расчета"), after the body.
//
// It lists the inputs in SI units; for the full-bore and cut-in models μ,
// the absolute pressure p, the velocity term w, the Reynolds number Re with
// the friction formula used, and λ; each loss coefficient the total is made
// of, with where it came from (the model's table for the diameter, λ × k(Ду)
// or L/Ду × λ); the total; the loss formula with the values put in; the
// loss and, where a flow conditioner or silencer is fitted (as in the body),
// the allowed increase. Every value is the one the calculation stored (CalculationSteps),
// with 6 significant digits in the user's separators. Every paragraph is
// 12 pt and left-aligned; the heading and the blank lines around it are
// bold, as the body's headings are.

#include <vector>

#include "calc/CalculationSteps.h"
#include "numbers/Separators.h"
#include "report/ReportParagraph.h"

namespace velars {

// Significant digits of every value of the part.
inline constexpr int kCalculationDigits = 6;

std::vector<ReportParagraph> CalculationParagraphs(const CalculationSteps& steps,
                                                   const Separators& separators);

}  // namespace velars
