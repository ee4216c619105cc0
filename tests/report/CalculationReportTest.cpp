// The report's "Ход расчета" part: appended to the body only when asked
// for, every value as the calculation stored it, each coefficient with where
// it came from, the total and the loss formula with the values put in.

#include <gtest/gtest.h>

#include "report/CalculationReport.h"
#include "report/ReportContent.h"
#include "tests/support/WorkedExampleGas.h"

namespace velars {
namespace {

const Separators kRussian{QLatin1Char(','), QLatin1Char(' ')};

ReportInputs Calculated(int model, int section, std::int32_t dy, const QString& ldy = {}) {
    ReportInputs in;
    in.model = model;
    in.section = section;
    in.dyText = QString::number(dy);
    CalcRecord& r = in.record;
    r = test::WorkedExampleGas();
    r.valDy = dy;
    LossTrace trace;
    CalculateLoss(r, model, section, ldy, QLatin1Char(','), &trace);
    in.steps = StepsOf(r, model, section, trace);
    return in;
}

QStringList Texts(const std::vector<ReportParagraph>& paragraphs) {
    QStringList texts;
    for (const ReportParagraph& p : paragraphs) texts << p.text;
    return texts;
}

TEST(CalculationReportTest, FollowsThePlainBodyOnlyWhenTheStepsAreGiven) {
    ReportInputs inputs = Calculated(0, 1, 100);
    const std::vector<ReportParagraph> detailed = BodyParagraphs(inputs, kRussian);
    const std::vector<ReportParagraph> part = CalculationParagraphs(*inputs.steps, kRussian);
    inputs.steps.reset();
    const std::vector<ReportParagraph> plain = BodyParagraphs(inputs, kRussian);
    ASSERT_EQ(plain.size(), 24u);
    ASSERT_EQ(detailed.size(), plain.size() + part.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end(), detailed.begin()));
    EXPECT_TRUE(std::equal(part.begin(), part.end(), detailed.begin() + long(plain.size())));

    // The heading and the blank lines around it bold, as the body's headings
    // are; every line 12 pt and left-aligned.
    ASSERT_GT(part.size(), 3u);
    EXPECT_EQ(part[0], (ReportParagraph{"", 12, true, 0}));
    EXPECT_EQ(part[1], (ReportParagraph{"Ход расчета", 12, true, 0}));
    EXPECT_EQ(part[2], (ReportParagraph{"", 12, true, 0}));
    for (std::size_t i = 3; i < part.size(); ++i)
        EXPECT_EQ(part[i], (ReportParagraph{part[i].text, 12, false, 0})) << i;
}

TEST(CalculationReportTest, TheFullBoreWorkedExample) {
    const QStringList expected = {
        "",
        "Ход расчета",
        "",
        "Исходные данные в единицах СИ:",
        "плотность при стандартных условиях: ρ = 0,68 кг/м3",
        "расход при стандартных условиях: Q = 500 нм3/ч",
        "температура газа: T = 293,15 К",
        "избыточное давление: Ризб = 300 000 Па",
        "атмосферное давление: Ратм = 101 325 Па",
        "диаметр условного прохода: Ду = 100 мм",
        "Коэффициент трения:",
        "вязкость: μ = 0,0000119136",
        "абсолютное давление: p = 0,4 МПа",
        "скоростной член: w = 6,59091",
        "число Рейнольдса: Re = 221 291",
        "Re > 100 000, экспоненциальная аппроксимация: λ = 0,00804 + 0,00837 × exp(-Re / 186 525) "
        "+ 0,00519 × exp(-Re / 2 689 000)",
        "коэффициент трения: λ = 0,0153755",
        "Коэффициенты сопротивления:",
        "прибора: ζПП = λ × k(Ду100) = 0,0153755 × 3,06 = 0,0470492",
        "турбулизатора по таблице модели для Ду100: ζтурб = 1,8",
        "суммарный коэффициент: ζΣ = ζПП + ζтурб = 0,0470492 + 1,8 = 1,84705",
        "Потери давления:",
        "формула: ΔP = 0,0000216 × ζΣ × ρ × Q² × T / (D⁴ × (Ратм + Ризб)), где D = Ду / 1000, м",
        "наибольшие потери давления: ΔP = 0,0000216 × 1,84705 × 0,68 × 500² × 293,15 / (0,1⁴ × "
        "(101 325 + 300 000)) = 49,5421 Па",
        "допустимое увеличение перепада давления: ΔPдоп = 0,1 × ΔP = 0,1 × 49,5421 = 4,95421 Па",
    };
    EXPECT_EQ(Texts(CalculationParagraphs(*Calculated(0, 1, 100).steps, kRussian)), expected);
}

TEST(CalculationReportTest, EachModelSaysWhereItsCoefficientsCameFrom) {
    const struct {
        int model, section, dy;
        const char* ldy;
        QStringList present;
        QStringList absent;
    } cases[] = {
        {2,
         3,
         50,
         "4,1",
         {"диаметр трубы (врезной прибор всегда рассчитывается для трубы 50 мм): Ду = 50 мм",
          "отношение длины к диаметру: L/Ду = 4,1",
          "прибора: ζПП = L/Ду × λ = 4,1 × 0,0132226 = 0,0542128",
          "суммарный коэффициент: ζΣ = ζПП + 2 × ζтурб = 0,0542128 + 2 × 1,8 = 3,65421"},
         {}},
        {3,
         2,
         27,
         "",
         {"прибора по таблице модели для Ду27: ζПП = 1,28",
          "турбулизатора ВС по таблице модели для Ду27: ζВС = 2,9",
          "суммарный коэффициент: ζΣ = ζПП + ζВС = 1,28 + 2,9 = 4,18"},
         {"Коэффициент трения:"}},
        // The silencer replaces the meter's coefficient.
        {0,
         2,
         300,
         "",
         {"турбулизатора по таблице модели для Ду300: ζтурб = 2,5",
          "суммарный коэффициент: ζΣ = 2,5 × ζтурб = 2,5 × 2,5 = 6,25", "коэффициент трения: λ = "},
         {"прибора: ζПП = λ × k(Ду300)"}},
        // Without a flow conditioner, no allowed increase, as in the body.
        {5,
         0,
         80,
         "",
         {"прибора по таблице модели для Ду80: ζПП = 0,41",
          "суммарный коэффициент: ζΣ = ζПП = 0,41"},
         {"допустимое увеличение перепада давления: ΔPдоп", "турбулизатора"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.model << "/" << c.section);
        const QString text =
            Texts(CalculationParagraphs(
                      *Calculated(c.model, c.section, c.dy, QString::fromUtf8(c.ldy)).steps,
                      kRussian))
                .join(QLatin1Char('\n'));
        for (const QString& line : c.present)
            EXPECT_TRUE(text.contains(line)) << line.toStdString() << "\n" << text.toStdString();
        for (const QString& line : c.absent)
            EXPECT_FALSE(text.contains(line)) << line.toStdString();
    }
}

}  // namespace
}  // namespace velars
