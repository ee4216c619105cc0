#include "calc/CalculationSteps.h"

namespace velars {

namespace {

constexpr int kFullBoreModel = 0;
constexpr int kCutInModel = 2;

}  // namespace

CoefficientOrigin OriginOf(int model, Coefficient coefficient) {
    if (coefficient == Coefficient::Meter) {
        if (model == kFullBoreModel) return CoefficientOrigin::LambdaTimesLength;
        if (model == kCutInModel) return CoefficientOrigin::LDyTimesLambda;
    }
    return CoefficientOrigin::Table;
}

CalculationSteps StepsOf(const CalcRecord& record, int model, int section, const LossTrace& trace) {
    CalculationSteps steps;
    steps.model = model;
    steps.section = section;
    steps.record = record;
    steps.friction = trace;
    steps.sum = SumTerms(model, section);
    return steps;
}

}  // namespace velars
