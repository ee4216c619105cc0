#include "tests/support/ReportInputs.h"

#include "calc/LossModel.h"

namespace velars::test {
namespace {

ReportInputs Installation(int model, int section) {
    ReportInputs inputs;
    inputs.model = model;
    inputs.section = section;
    inputs.dyText = QStringLiteral("100");
    CalcRecord& r = inputs.record;
    r.valDy = 100;
    r.valPlotnost = 0.68f;
    r.valQ = 500.0f;
    r.valTgaza = 293.15f;
    r.valPizb = 300000.0f;
    r.valPatm = 101325.0f;
    CalculateLoss(r, inputs.model, inputs.section, QString(), QLatin1Char(','));
    return inputs;
}

}  // namespace

ReportInputs WorkedExample() { return Installation(3, 1); }
ReportInputs ModelZeroSectionZero() { return Installation(0, 0); }

}  // namespace velars::test
