#pragma once
// The intermediate values of one calculation, for a reviewer who re-checks
// every figure: the inputs in SI units as stored, the friction model's
// values (full-bore and cut-in models), each loss coefficient with where it
// came from, the terms of their total, and both results. They are read from
// the calculated record and the model's trace, never computed a second way,
// so whatever shows them (the tool's --verbose lines, the report's
// "Ход расчета" part) shows the values the results were made from.

#include "calc/CalcRecord.h"
#include "calc/LossModel.h"

namespace velars {

// Where a loss coefficient came from.
enum class CoefficientOrigin {
    Table,              // the model's table for the diameter
    LambdaTimesLength,  // λ × k(Dy): the full-bore model's meter
    LDyTimesLambda,     // L/Dy × λ: the cut-in model's meter
};

CoefficientOrigin OriginOf(int model, Coefficient coefficient);

struct CalculationSteps {
    int model = -1;
    int section = -1;
    // The calculated record: the inputs in SI units as stored, the diameter
    // computed with (50 mm for the cut-in model), the three coefficients
    // whether the total uses them or not, the total and both results.
    CalcRecord record;
    // μ, p, w, Re with the formula used, λ, L/Dy and k(Dy); frictionComputed
    // is false for the table models.
    LossTrace friction;
    SumFormula sum;  // how the total is made for this model and section
};

// The steps of a calculation that CalculateLoss has just made into `record`
// for `model` and `section`, with the trace it filled.
CalculationSteps StepsOf(const CalcRecord& record, int model, int section, const LossTrace& trace);

}  // namespace velars
