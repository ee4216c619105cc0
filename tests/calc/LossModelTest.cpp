#include "calc/LossModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <utility>

#include "calc/FloatErrors.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"

namespace velars {
namespace {

const QChar kComma = QLatin1Char(',');

// Density 0,68 kg/m3, flow 500 nm3/h, 20 C, 0,3 MPa gauge, 101,325 kPa, as
// validation stores them. Every other field holds a value left from an
// earlier calculation, so a step that forgets to assign shows up.
CalcRecord TypicalInputs(std::int32_t dy) {
    CalcRecord r;
    r.valDy = dy;
    r.valPatm = 101325.0f;
    r.valPizb = 300000.0f;
    r.valTgaza = 293.1499938964844f;
    r.valQ = 500.0f;
    r.valPlotnost = 0.68f;
    r.valDzetaPP = 77.0f;
    r.valDzetaTurb2 = 77.0f;
    r.valDzetaTurb = 77.0f;
    r.valDzetaSum = 77.0f;
    r.valDPpoteri = 77.0f;
    r.valDPdop = 77.0f;
    return r;
}

TEST(LossModel, WorkedExampleTurbulizerModel) {
    CalcRecord r = TypicalInputs(100);
    CalculateLoss(r, 3, 1, QString(), kComma);
    EXPECT_EQ(r.valDzetaPP, 0.949999988079071f);
    EXPECT_EQ(r.valDzetaTurb, 1.7999999523162842f);
    EXPECT_EQ(r.valDzetaSum, 2.75f);
    EXPECT_EQ(static_cast<double>(r.valDPpoteri), 73.76138305664062);
    EXPECT_EQ(static_cast<double>(r.valDPdop), 7.376138210296631);
}

TEST(LossModel, WorkedExampleFullBoreModel) {
    CalcRecord r = TypicalInputs(100);
    LossTrace t;
    CalculateLoss(r, 0, 1, QString(), kComma, &t);
    ASSERT_TRUE(t.frictionComputed);
    EXPECT_FALSE(t.blasius);
    EXPECT_NEAR(t.mu, 1.19136e-05, 0.000005e-05);
    EXPECT_NEAR(static_cast<double>(t.p), 0.4, 1e-15);
    EXPECT_NEAR(t.w, 6.59091, 0.000005);
    EXPECT_NEAR(t.Re, 221291, 0.5);
    EXPECT_NEAR(t.lambda, 0.0153755, 0.00000005);
    EXPECT_NEAR(r.valDzetaPP, 0.0470492, 0.00000005);
    EXPECT_NEAR(r.valDzetaSum, 1.84705, 0.000005);
    EXPECT_NEAR(r.valDPpoteri, 49.5421, 0.00005);
    // The stored relations behind those digits.
    EXPECT_EQ(t.a, static_cast<float>(-static_cast<long double>(t.Re) * 5.361211633829245e-6L));
    EXPECT_EQ(r.valDzetaPP, static_cast<float>(t.lambda * 3.06L));
    EXPECT_EQ(r.valDPdop, static_cast<float>(0.1L * r.valDPpoteri));
}

// Models with fixed coefficients: the totals per section of every diameter
// the catalogue offers, from the coefficient tables (meter + turbulizer,
// + VS turbulizer 2.9, silencer 2.5 x turbulizer, reverse meter + 2 x turbulizer).
struct TableCase {
    int model;
    int dy;
    float pp;
    float turb;
    float sums[4];  // by section; unused sections are 0
};
const TableCase kTableCases[] = {
    {1, 100, 0.59f, 1.8f, {0.59f, 2.39f, 4.5f, 4.19f}},
    {1, 150, 0.34f, 1.8f, {0.34f, 2.14f, 4.5f, 3.94f}},
    {1, 200, 0.25f, 1.8f, {0.25f, 2.05f, 4.5f, 3.85f}},
    {3, 27, 1.28f, 1.8f, {1.28f, 3.08f, 4.18f}},
    {3, 50, 1.28f, 1.8f, {1.28f, 3.08f, 4.18f}},
    {3, 80, 1.28f, 1.8f, {1.28f, 3.08f, 4.18f}},
    {3, 100, 0.95f, 1.8f, {0.95f, 2.75f, 3.85f}},
    {3, 150, 0.95f, 1.5f, {0.95f, 2.45f, 3.85f}},
    {3, 200, 0.95f, 1.8f, {0.95f, 2.75f, 3.85f}},
    {3, 300, 0.95f, 1.8f, {0.95f, 2.75f, 3.85f}},
    {4, 27, 1.28f, 1.8f, {1.28f, 3.08f}},
    {4, 50, 1.28f, 1.8f, {1.28f, 3.08f}},
    {4, 80, 1.28f, 1.8f, {1.28f, 3.08f}},
    {4, 100, 0.95f, 1.8f, {0.95f, 2.75f}},
    {4, 150, 0.95f, 1.5f, {0.95f, 2.45f}},
    {4, 200, 0.95f, 1.8f, {0.95f, 2.75f}},
    {4, 300, 0.95f, 1.8f, {0.95f, 2.75f}},
    // Section 2 of model 5 is the VS turbulizer as on models 3 and 4.
    {5, 50, 0.52f, 1.8f, {0.52f, 2.32f, 3.42f}},
    {5, 80, 0.41f, 1.8f, {0.41f, 2.21f, 3.31f}},
    {5, 100, 0.38f, 1.8f, {0.38f, 2.18f, 3.28f}},
};

TEST(LossModel, EveryCatalogueCombinationOfTheTableModels) {
    std::map<std::pair<int, int>, const TableCase*> byKey;
    for (const TableCase& c : kTableCases) byKey[{c.model, c.dy}] = &c;

    int checked = 0;
    for (int model : {1, 3, 4, 5}) {
        const QStringList& sections = catalogue::SectionsOf(model);
        for (const QString& dyText : catalogue::DiametersOf(model)) {
            const int dy = dyText.toInt();
            const auto found = byKey.find({model, dy});
            ASSERT_NE(found, byKey.end()) << "model " << model << " Dy " << dy;
            const TableCase& c = *found->second;
            for (int section = 0; section < sections.size(); ++section) {
                SCOPED_TRACE(testing::Message()
                             << "model " << model << " Dy " << dy << " section " << section);
                CalcRecord r = TypicalInputs(dy);
                LossTrace t;
                CalculateLoss(r, model, section, QString(), kComma, &t);
                EXPECT_FALSE(t.frictionComputed);
                EXPECT_EQ(r.valDzetaPP, c.pp);
                EXPECT_EQ(r.valDzetaTurb, c.turb);
                EXPECT_FLOAT_EQ(r.valDzetaSum, c.sums[section]);
                EXPECT_TRUE(std::isfinite(r.valDPpoteri));
                EXPECT_GT(r.valDPpoteri, 0.0f);
                EXPECT_EQ(r.valDPdop, static_cast<float>(0.1L * r.valDPpoteri));
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 12 + 21 + 14 + 9);
}

// The friction models: the turbulizer from the table, the meter's
// coefficient from the friction factor, the totals from both.
TEST(LossModel, EveryCatalogueCombinationOfTheFrictionModels) {
    const std::map<int, double> lengthFactor = {{50, 5.2},   {80, 3.25},  {100, 3.06}, {150, 2.33},
                                                {200, 1.76}, {300, 1.38}, {400, 1.22}};
    int checked = 0;
    for (int model : {0, 2}) {
        const QStringList& sections = catalogue::SectionsOf(model);
        for (const QString& dyText : catalogue::DiametersOf(model)) {
            const int dy = dyText.toInt();
            for (int section = 0; section < sections.size(); ++section) {
                SCOPED_TRACE(testing::Message()
                             << "model " << model << " Dy " << dy << " section " << section);
                CalcRecord r = TypicalInputs(dy);
                LossTrace t;
                CalculateLoss(r, model, section, QStringLiteral("4,5"), kComma, &t);
                ASSERT_TRUE(t.frictionComputed);
                EXPECT_GT(t.lambda, 0.0f);
                EXPECT_EQ(r.valDzetaTurb, (dy == 300 || dy == 400) ? 2.5f : 1.8f);
                if (model == 0) {
                    ASSERT_EQ(lengthFactor.count(dy), 1u);
                    EXPECT_EQ(r.valDzetaPP,
                              static_cast<float>(t.lambda *
                                                 static_cast<long double>(lengthFactor.at(dy))));
                } else {
                    EXPECT_EQ(r.valDzetaPP, static_cast<float>(4.5L * t.lambda));
                }
                const long double pp = r.valDzetaPP;
                const long double turb = r.valDzetaTurb;
                const float expected[4] = {r.valDzetaPP, static_cast<float>(pp + turb),
                                           static_cast<float>(2.5L * turb),
                                           static_cast<float>(pp + 2 * turb)};
                EXPECT_EQ(r.valDzetaSum, expected[section]);
                EXPECT_TRUE(std::isfinite(r.valDPpoteri));
                EXPECT_GT(r.valDPpoteri, 0.0f);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 7 * 4 + 1 * 4);
}

TEST(LossModel, CutInModelIsComputedForFiftyMillimetres) {
    CalcRecord r = TypicalInputs(150);
    r.valDy = 50;  // as picked
    CalcRecord a = r, b = r, c = r;
    CalculateLoss(a, 2, 0, QStringLiteral("4"), kComma);
    CalculateLoss(b, 2, 0, QStringLiteral("4,0"), kComma);
    CalculateLoss(c, 2, 0, QStringLiteral("4.0"), QLatin1Char('.'));
    EXPECT_EQ(a.valDzetaPP, b.valDzetaPP);
    EXPECT_EQ(a.valDzetaPP, c.valDzetaPP);

    // A diameter left from another model is replaced by 50 for the loss.
    CalcRecord stale = TypicalInputs(150);
    CalculateLoss(stale, 2, 0, QStringLiteral("4"), kComma);
    EXPECT_EQ(stale.valDy, 50);
    EXPECT_EQ(stale.valDzetaPP, a.valDzetaPP);
    EXPECT_EQ(stale.valDPpoteri, a.valDPpoteri);
}

TEST(LossModel, CutInModelRejectsAnUnreadableRatio) {
    CalcRecord r = TypicalInputs(50);
    EXPECT_THROW(CalcCoefficients(r, 2, QStringLiteral("abc"), kComma), EConvertError);
}

TEST(FrictionFactor, BlasiusUpToTheThresholdFitAbove) {
    EXPECT_NEAR(FrictionFactor(100000.0f), 0.0177924795, 1e-9);
    const float justAbove = std::nextafter(100000.0f, 1e6f);
    EXPECT_NEAR(FrictionFactor(justAbove), 0.0179370950, 1e-9);
    EXPECT_NEAR(FrictionFactor(200000.0f), 0.0157225397, 1e-9);
    EXPECT_NEAR(FrictionFactor(10000.0f), 0.03164, 1e-9);  // 0.3164 / 10
}

TEST(FrictionFactor, Faults) {
    EXPECT_THROW(FrictionFactor(0.0f), EZeroDivide);
    EXPECT_THROW(FrictionFactor(-1.0f), EInvalidOp);
    EXPECT_FLOAT_EQ(FrictionFactor(3.0e38f), 0.00804f);  // both exponentials underflow
}

TEST(LossModel, ZeroFlow) {
    for (int model = 0; model < catalogue::kModelCount; ++model) {
        SCOPED_TRACE(model);
        const int dy = catalogue::DiametersOf(model).first().toInt();
        CalcRecord r = TypicalInputs(dy);
        r.valQ = 0;
        if (model == 0 || model == 2) {
            // Reynolds number zero in the Blasius formula.
            EXPECT_THROW(CalculateLoss(r, model, 1, QStringLiteral("4"), kComma), EZeroDivide);
            EXPECT_EQ(r.valDPpoteri, 77.0f);
        } else {
            CalculateLoss(r, model, 1, QString(), kComma);
            EXPECT_EQ(r.valDPpoteri, 0.0f);
            EXPECT_EQ(r.valDPdop, 0.0f);
        }
    }
}

TEST(LossModel, FaultsEndTheRunAndKeepWhatWasStored) {
    {
        SCOPED_TRACE("no absolute pressure in the loss formula");
        CalcRecord r = TypicalInputs(100);
        r.valPatm = 0;
        r.valPizb = 0;
        EXPECT_THROW(CalculateLoss(r, 3, 1, QString(), kComma), EZeroDivide);
        EXPECT_EQ(r.valDzetaSum, 2.75f);
        EXPECT_EQ(r.valDPpoteri, 77.0f);
        EXPECT_EQ(r.valDPdop, 77.0f);
    }
    {
        SCOPED_TRACE("0/0 in the loss formula");
        CalcRecord r = TypicalInputs(100);
        r.valPatm = 0;
        r.valPizb = 0;
        r.valQ = 0;
        EXPECT_THROW(CalculateLoss(r, 3, 1, QString(), kComma), EInvalidOp);
    }
    {
        SCOPED_TRACE("no density in the flow term");
        CalcRecord r = TypicalInputs(100);
        r.valPlotnost = 0;
        EXPECT_THROW(CalculateLoss(r, 0, 1, QString(), kComma), EZeroDivide);
        EXPECT_EQ(r.valDzetaTurb, 1.8f);
        EXPECT_EQ(r.valDzetaPP, 77.0f);
    }
    {
        SCOPED_TRACE("loss beyond the single range");
        CalcRecord r = TypicalInputs(100);
        r.valQ = 1e30f;
        EXPECT_THROW(CalculateLoss(r, 3, 1, QString(), kComma), EOverflow);
        EXPECT_EQ(r.valDzetaSum, 2.75f);
        EXPECT_EQ(r.valDPpoteri, 77.0f);
    }
    {
        SCOPED_TRACE("cut-in coefficient beyond the single range");
        CalcRecord r = TypicalInputs(50);
        EXPECT_THROW(CalcCoefficients(r, 2, QStringLiteral("1e4000"), kComma), EOverflow);
        EXPECT_EQ(r.valDzetaPP, 77.0f);
    }
    {
        SCOPED_TRACE("cut-in coefficient beyond the extended range");
        CalcRecord r = TypicalInputs(50);
        r.valQ = 1e-30f;  // a tiny Reynolds number: a friction factor far above 1
        EXPECT_THROW(CalcCoefficients(r, 2, QStringLiteral("1e4932"), kComma), EOverflow);
    }
}

TEST(LossModel, NegativeBaseUnderAFractionalPower) {
    {
        SCOPED_TRACE("gas below 0 K");
        CalcRecord r = TypicalInputs(100);
        r.valTgaza = -10.0f;
        EXPECT_THROW(CalculateLoss(r, 0, 1, QString(), kComma), EInvalidOp);
    }
    {
        SCOPED_TRACE("negative flow: negative Reynolds number under Blasius");
        CalcRecord r = TypicalInputs(50);
        r.valQ = -5.0f;
        EXPECT_THROW(CalculateLoss(r, 2, 1, QStringLiteral("4"), kComma), EInvalidOp);
    }
    {
        SCOPED_TRACE("gas at exactly 0 K: zero viscosity, division by zero");
        CalcRecord r = TypicalInputs(100);
        r.valTgaza = 0.0f;
        EXPECT_THROW(CalculateLoss(r, 0, 1, QString(), kComma), EZeroDivide);
        r.valQ = 0.0f;
        EXPECT_THROW(CalculateLoss(r, 0, 1, QString(), kComma), EInvalidOp);
    }
    {
        SCOPED_TRACE("the table models take no power of the temperature");
        CalcRecord r = TypicalInputs(100);
        r.valTgaza = -10.0f;
        CalculateLoss(r, 3, 1, QString(), kComma);
        EXPECT_LT(r.valDPpoteri, 0.0f);
    }
}

TEST(LossModel, NothingAssignedOutsideTheTables) {
    CalcRecord r = TypicalInputs(100);
    SumCoefficients(r, 5, 3);
    SumCoefficients(r, 3, 3);
    SumCoefficients(r, 0, 4);
    SumCoefficients(r, 6, 0);
    SumCoefficients(r, -1, 0);
    EXPECT_EQ(r.valDzetaSum, 77.0f);
    CalcCoefficients(r, 3, QString(), kComma);  // Dy 100 is in the table
    r.valDy = 400;
    CalcCoefficients(r, 5, QString(), kComma);  // model 5 has no 400
    EXPECT_EQ(r.valDzetaPP, 0.95f);
    EXPECT_EQ(r.valDzetaTurb2, 2.9f);
}

}  // namespace
}  // namespace velars
