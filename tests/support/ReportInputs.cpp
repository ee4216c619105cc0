#include "tests/support/ReportInputs.h"

#include "calc/LossModel.h"
#include "tests/support/WorkedExampleGas.h"

namespace velars::test {
namespace {

ReportInputs Installation(int model, int section) {
    ReportInputs inputs;
    inputs.model = model;
    inputs.section = section;
    inputs.dyText = QStringLiteral("100");
    CalcRecord& r = inputs.record;
    r = WorkedExampleGas();
    r.valDy = 100;
    CalculateLoss(r, inputs.model, inputs.section, QString(), QLatin1Char(','));
    return inputs;
}

}  // namespace

ReportInputs WorkedExample() { return Installation(3, 1); }
ReportInputs ModelZeroSectionZero() { return Installation(0, 0); }

}  // namespace velars::test
