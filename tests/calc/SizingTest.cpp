#include "calc/Sizing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calc/LossModel.h"
#include "calc/SizingCsv.h"
#include "catalogue/Catalogue.h"

namespace velars {
namespace {

const QChar kComma = QLatin1Char(',');

// The worked example's gas data as validation stores them.
CalcRecord Gas(float flow = 500.0f) {
    CalcRecord r;
    r.valPatm = 101325.0f;
    r.valPizb = 300000.0f;
    r.valTgaza = 293.1499938964844f;
    r.valQ = flow;
    r.valPlotnost = 0.68f;
    return r;
}

const ChoiceResult& Find(const std::vector<ChoiceResult>& results, MeterChoice choice) {
    const auto it = std::find_if(results.begin(), results.end(),
                                 [&](const ChoiceResult& r) { return r.choice == choice; });
    EXPECT_NE(it, results.end());
    return *it;
}

TEST(Sizing, EveryChoiceOfTheCatalogueOnceAndTheCutInModelOnlyWithLDy) {
    std::size_t expected = 0;
    for (int model = 0; model < catalogue::kModelCount; ++model)
        if (!catalogue::NeedsLDy(model))
            expected += catalogue::SectionsOf(model).size() * catalogue::DiametersOf(model).size();
    const std::vector<MeterChoice> without = CatalogueChoices(false);
    EXPECT_EQ(without.size(), expected);
    EXPECT_EQ(without.size(), 84u);
    EXPECT_TRUE(std::none_of(without.begin(), without.end(), [](const MeterChoice& c) {
        return c.model == catalogue::kCutInModel;
    }));
    const std::vector<MeterChoice> with = CatalogueChoices(true);
    ASSERT_EQ(with.size(), 88u);
    for (std::size_t i = 0; i < with.size(); ++i) {
        const MeterChoice& c = with[i];
        EXPECT_TRUE(catalogue::DiametersOf(c.model).contains(QString::number(c.dy)));
        EXPECT_LT(c.section, catalogue::SectionsOf(c.model).size());
        for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(with[j] == c);
    }
}

// Each choice is calculated on its own copy of the gas data, so no value
// of the choice before it can leak in: every result equals a calculation
// of that choice alone, in whatever order the choices come.
TEST(Sizing, EveryChoiceEqualsItsOwnCalculation) {
    const std::vector<ChoiceResult> results = CompareChoices(Gas(), QStringLiteral("4,5"), kComma);
    ASSERT_EQ(results.size(), 88u);
    for (auto it = results.rbegin(); it != results.rend(); ++it) {
        CalcRecord alone = Gas();
        alone.valDy = it->choice.dy;
        CalculateLoss(alone, it->choice.model, it->choice.section, QStringLiteral("4,5"), kComma);
        ASSERT_FALSE(it->Faulted()) << it->fault.toStdString();
        EXPECT_EQ(it->record.valDPpoteri, alone.valDPpoteri);
        EXPECT_EQ(it->record.valDPdop, alone.valDPdop);
        EXPECT_EQ(it->record.valDzetaSum, alone.valDzetaSum);
    }
    const ChoiceResult& example = Find(results, {3, 1, 100});
    EXPECT_EQ(static_cast<double>(example.record.valDPpoteri), 73.76138305664062);
    EXPECT_EQ(static_cast<double>(example.record.valDPdop), 7.376138210296631);
    EXPECT_NEAR(Find(results, {0, 1, 100}).record.valDPpoteri, 49.5421, 0.00005);
    // The VS turbulizer of model 5 has its own coefficient, not a stale sum.
    EXPECT_EQ(Find(results, {5, 2, 100}).record.valDzetaSum, 0.38f + 2.9f);
    // The cut-in model is always computed for a 50 mm pipe.
    EXPECT_EQ(Find(results, {2, 0, 50}).record.valDy, 50);
}

TEST(Sizing, AFaultEndsOnlyItsOwnChoice) {
    // A flow of zero: the friction factor of models 0 and 2 divides by the
    // Reynolds number; the table models give no loss.
    const std::vector<ChoiceResult> results = CompareChoices(Gas(0.0f), QStringLiteral("4"),
                                                             kComma);
    ASSERT_EQ(results.size(), 88u);
    for (const ChoiceResult& r : results) {
        if (r.choice.model == 0 || r.choice.model == 2) {
            EXPECT_EQ(r.fault, QStringLiteral("Floating point division by zero"));
        } else {
            EXPECT_FALSE(r.Faulted());
            EXPECT_EQ(r.record.valDPpoteri, 0.0f);
        }
    }
}

TEST(Sizing, SortsByLossWithFaultsLastAndTiesInCatalogueOrder) {
    std::vector<ChoiceResult> results = CompareChoices(Gas(0.0f), std::nullopt, kComma);
    SortByLoss(results);
    const auto firstFault = std::find_if(results.begin(), results.end(),
                                         [](const ChoiceResult& r) { return r.Faulted(); });
    EXPECT_EQ(firstFault - results.begin(), 84 - 28);
    EXPECT_TRUE(
        std::all_of(firstFault, results.end(), [](const ChoiceResult& r) { return r.Faulted(); }));
    // All losses are zero: the catalogue order stays.
    EXPECT_EQ(results.front().choice, (MeterChoice{1, 0, 100}));

    results = CompareChoices(Gas(), std::nullopt, kComma);
    SortByLoss(results);
    EXPECT_TRUE(std::is_sorted(results.begin(), results.end(), [](const auto& a, const auto& b) {
        return a.record.valDPpoteri < b.record.valDPpoteri;
    }));
}

TEST(Sizing, LimitKeepsLossesAtOrUnderIt) {
    const std::vector<ChoiceResult> results = CompareChoices(Gas(), std::nullopt, kComma);
    const ChoiceResult& example = Find(results, {3, 1, 100});
    const long double loss = example.record.valDPpoteri;
    EXPECT_TRUE(WithinLimit(example, loss));
    EXPECT_FALSE(WithinLimit(example, std::nextafter(loss, 0.0L)));
    ChoiceResult faulted = example;
    faulted.fault = QStringLiteral("Floating point overflow");
    EXPECT_FALSE(WithinLimit(faulted, 1e30L));
}

TEST(Sizing, CurveFlowsIncludeBothEndsExactly) {
    const std::vector<float> flows = CurveFlows(0.0f, 1000.0f, 5);
    EXPECT_EQ(flows, (std::vector<float>{0.0f, 250.0f, 500.0f, 750.0f, 1000.0f}));
    const std::vector<float> odd = CurveFlows(0.1f, 0.7f, 200);
    ASSERT_EQ(odd.size(), 200u);
    EXPECT_EQ(odd.front(), 0.1f);
    EXPECT_EQ(odd.back(), 0.7f);
    EXPECT_EQ(CurveFlows(3.0f, 7.0f, 1), std::vector<float>{7.0f});
    EXPECT_TRUE(CurveFlows(3.0f, 7.0f, 0).empty());
}

TEST(Sizing, CurveAtTheEnteredFlowEqualsTheSingleCalculation) {
    for (const MeterChoice choice :
         {MeterChoice{3, 1, 100}, MeterChoice{0, 3, 150}, MeterChoice{2, 2, 50}}) {
        const std::vector<ChoiceResult> curve = LossCurve(Gas(), choice, QStringLiteral("4,5"),
                                                          kComma, CurveFlows(0.0f, 500.0f, 200));
        ASSERT_EQ(curve.size(), 200u);
        const ChoiceResult single = CalculateChoice(Gas(), choice, QStringLiteral("4,5"), kComma);
        EXPECT_EQ(curve.back().record.valQ, 500.0f);
        EXPECT_EQ(curve.back().record.valDPpoteri, single.record.valDPpoteri);
        EXPECT_EQ(curve.back().record.valDPdop, single.record.valDPdop);
        // The loss grows with the flow.
        for (std::size_t i = 2; i < curve.size(); ++i)
            EXPECT_LE(curve[i - 1].record.valDPpoteri, curve[i].record.valDPpoteri);
        EXPECT_EQ(curve.front().Faulted(), choice.model == 0 || choice.model == 2);
    }
}

TEST(Sizing, CsvOfTheComparisonAndTheCurve) {
    std::vector<ChoiceResult> results;
    results.push_back(CalculateChoice(Gas(), {3, 1, 100}, QString(), kComma));
    results.push_back(CalculateChoice(Gas(), {3, 0, 100}, QString(), kComma));
    results.push_back(CalculateChoice(Gas(0.0f), {0, 0, 50}, QString(), kComma));
    EXPECT_EQ(ComparisonCsv(results),
              "model,model_name,section,section_name,dy,loss_pa,loss_mm,allowed_increase_pa,"
              "allowed_increase_mm,fault\n"
              "3,ВЕЛАРС-МТ7,1,Турбулизатор-Н,100,73.76138,7.521568,7.376138,0.7521568,\n"
              "3,ВЕЛАРС-МТ7,0,Без турбулизатора,100,25.481205,2.5983598,,,\n"
              "0,ВЕЛАРС-Сфера-ПП (полнопроходной),0,Без турбулизатора,50,,,,,"
              "Floating point division by zero\n");
    EXPECT_EQ(CurveCsv({results[0]}),
              "flow,loss_pa,loss_mm,allowed_increase_pa,allowed_increase_mm,fault\n"
              "500,73.76138,7.521568,7.376138,0.7521568,\n");
}

}  // namespace
}  // namespace velars
