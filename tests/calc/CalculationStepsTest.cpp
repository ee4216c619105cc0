// The intermediate values of one calculation: what the record and the trace
// hold after CalculateLoss, where each coefficient came from and how the
// total is made.

#include <gtest/gtest.h>

#include "calc/CalculationSteps.h"
#include "tests/support/WorkedExampleGas.h"

namespace velars {
namespace {

CalcRecord WorkedExampleInputs(std::int32_t dy) {
    CalcRecord r = test::WorkedExampleGas();
    r.valDy = dy;
    return r;
}

CalculationSteps Calculate(int model, int section, std::int32_t dy, const QString& ldy = {}) {
    CalcRecord record = WorkedExampleInputs(dy);
    LossTrace trace;
    CalculateLoss(record, model, section, ldy, QLatin1Char(','), &trace);
    return StepsOf(record, model, section, trace);
}

void ExpectTerms(const SumFormula& sum, std::vector<std::pair<long double, Coefficient>> terms) {
    ASSERT_EQ(sum.count, int(terms.size()));
    for (std::size_t i = 0; i < terms.size(); ++i) {
        EXPECT_EQ(sum.terms[i].factor, terms[i].first) << i;
        EXPECT_EQ(sum.terms[i].coefficient, terms[i].second) << i;
    }
}

TEST(CalculationStepsTest, FullBoreModelCarriesTheFrictionAndTheLengthFactor) {
    const CalculationSteps steps = Calculate(0, 1, 100);
    EXPECT_EQ(steps.model, 0);
    EXPECT_EQ(steps.section, 1);
    ASSERT_TRUE(steps.friction.frictionComputed);
    EXPECT_NEAR(steps.friction.Re, 221291, 0.5);
    EXPECT_NEAR(steps.friction.lambda, 0.0153755, 0.00000005);
    EXPECT_EQ(steps.friction.lengthFactor, 3.06);
    EXPECT_EQ(OriginOf(0, Coefficient::Meter), CoefficientOrigin::LambdaTimesLength);
    EXPECT_EQ(OriginOf(0, Coefficient::Turbulizer), CoefficientOrigin::Table);
    ExpectTerms(steps.sum, {{1, Coefficient::Meter}, {1, Coefficient::Turbulizer}});
    // The record is the calculated one: the steps show the stored values.
    EXPECT_NEAR(steps.record.valDPpoteri, 49.5421, 0.00005);
    EXPECT_EQ(steps.record.valDzetaSum, 1.8470491f);
}

TEST(CalculationStepsTest, CutInModelReadsLDyAndIsComputedForFiftyMillimetres) {
    const CalculationSteps steps = Calculate(2, 3, 80, QStringLiteral("4,1"));
    EXPECT_EQ(steps.record.valDy, 50);
    EXPECT_EQ(steps.friction.ldy, 4.1L);
    EXPECT_EQ(steps.friction.lengthFactor, 0.0);
    EXPECT_EQ(OriginOf(2, Coefficient::Meter), CoefficientOrigin::LDyTimesLambda);
    ExpectTerms(steps.sum, {{1, Coefficient::Meter}, {2, Coefficient::Turbulizer}});
}

TEST(CalculationStepsTest, TotalsOfTheTableModelsAndTheSilencer) {
    const CalculationSteps vs = Calculate(3, 2, 100);
    EXPECT_FALSE(vs.friction.frictionComputed);
    EXPECT_EQ(OriginOf(3, Coefficient::Meter), CoefficientOrigin::Table);
    ExpectTerms(vs.sum, {{1, Coefficient::Meter}, {1, Coefficient::TurbulizerVs}});
    EXPECT_EQ(vs.record.valDzetaSum, 0.95f + 2.9f);

    // The silencer replaces the meter's own coefficient.
    ExpectTerms(Calculate(1, 2, 150).sum, {{2.5L, Coefficient::Turbulizer}});
    ExpectTerms(Calculate(5, 0, 50).sum, {{1, Coefficient::Meter}});
    // Sections without a total leave it as it was.
    EXPECT_EQ(SumTerms(3, 3).count, 0);
    EXPECT_EQ(SumTerms(-1, 0).count, 0);
}

}  // namespace
}  // namespace velars
