// What the report says: header and body paragraphs with their formatting.

#include <gtest/gtest.h>

#include <limits>

#include "report/ReportContent.h"

namespace velars {

void PrintTo(const ReportParagraph& p, std::ostream* os) {
    *os << "{\"" << p.text.toStdString() << "\", " << int(p.size) << ", "
        << (p.bold ? "bold" : "regular") << ", " << int(p.alignment) << "}";
}

namespace {

const Separators kRussian{QLatin1Char(','), QLatin1Char(' ')};

ReportParagraph B(const QString& text, bool bold) { return {text, 12, bold, 0}; }

ReportInputs Inputs(int model, int section, QString dy = QStringLiteral("100")) {
    ReportInputs in;
    in.model = model;
    in.section = section;
    in.dyText = std::move(dy);
    in.record.valDy = 100;
    in.record.valPlotnost = 0.68f;
    in.record.valQ = 100.0f;
    in.record.valTgaza = 293.15f;   // 20 °C as validation stores it
    in.record.valPizb = 100000.0f;  // 0.1 MPa
    in.record.valPatm = 101000.0f;
    in.record.valDPpoteri = 1234.567f;
    in.record.valDPdop = 123.4567f;
    return in;
}

QStringList Texts(const std::vector<ReportParagraph>& paragraphs) {
    QStringList texts;
    for (const ReportParagraph& p : paragraphs) texts << p.text;
    return texts;
}

TEST(HeaderParagraphsTest, FiveCentredBoldLinesEndingWithNumberAndDate) {
    const std::vector<ReportParagraph> expected = {
        {"Программный комплекс \"ВЕЛАРС-ТП\"", 14, true, 1},
        {"модуль \"Оценка потерь давления\"", 14, true, 1},
        {"версия 2.02 от 03.03.20", 14, true, 1},
        {"", 14, true, 1},
        {"Расчет № 7 от 05.03.2026", 14, true, 1},
    };
    EXPECT_EQ(HeaderParagraphs(7, QDate(2026, 3, 5)), expected);

    EXPECT_EQ(HeaderParagraphs(1, QDate(2024, 12, 31)).back().text, "Расчет № 1 от 31.12.2024");
    EXPECT_EQ(HeaderParagraphs(-5, QDate(2024, 1, 9)).back().text, "Расчет № -5 от 09.01.2024");
    EXPECT_EQ(HeaderParagraphs(1234567, QDate(2024, 1, 9)).back().text,
              "Расчет № 1234567 от 09.01.2024");
    EXPECT_EQ(
        HeaderParagraphs(std::numeric_limits<std::int32_t>::min(), QDate(2024, 1, 9)).back().text,
        "Расчет № -2147483648 от 09.01.2024");
}

TEST(BodyParagraphsTest, ModelZeroWithTheSilencer) {
    const std::vector<ReportParagraph> expected = {
        B("", true),
        B("Вариант конструкции прибора:", true),
        B("", true),
        B("Тип измерительного прибора: ВЕЛАРС-Сфера-ПП", false),
        B("Тип измерительного участка: Шумоглушитель", false),
        B("Диаметр условного прохода: Ду100", false),
        B("", true),
        B("Исходные данные для расчета:", true),
        B("", true),
        B("Плотность при стандартных условиях, ph: 0,68 кг/м3", false),
        B("Расход при стандартных условиях, Q: 100,00 нм3/ч", false),
        B("Температура газа, tгаза: 20,00 град. С", false),
        B("Избыточное давление, Ризб.: 0,10 МПа (10 197 мм вод. ст.)", false),
        B("Атмосферное давление, Ратм.: 101,00 KПа.", false),
        B("", true),
        B("", true),
        B("Результаты расчета:", true),
        B("", true),
        B("Наибольшие потери давления на ПП и УПП (в чистом состоянии):", false),
        B("1 234,57 Па ( 126 мм вод. ст.)", true),
        B("Допустимое значение увеличения перепада давления на загрязненном УПП:", false),
        B("123,46 Па ( 13 мм вод. ст.).", true),
        B("", false),
        B("УПП - Устройство Подготовки Потока", false),
    };
    EXPECT_EQ(BodyParagraphs(Inputs(0, 2), kRussian), expected);
}

TEST(BodyParagraphsTest, TheModelAndSectionLinesFollowBothIndices) {
    struct Case {
        int model;
        int section;
        QString modelLine;    // empty: none
        QString sectionLine;  // empty: none
        bool allowedIncrease;
    };
    const QString noLine;
    const Case cases[] = {
        {0, 2, "Тип измерительного прибора: ВЕЛАРС-Сфера-ПП",
         "Тип измерительного участка: Шумоглушитель", true},
        {1, 3, "Тип измерительного прибора: ВЕЛАРС-Сфера-Пр",
         "Тип измерительного участка: Турбулизатор-Н исп. реверс", true},
        {2, 1, "Тип измерительного прибора: ВЕЛАРС-Сфера-Вр",
         "Тип измерительного участка: Турбулизатор-Н", true},
        {3, 2, "Тип измерительного прибора: ВЕЛАРС-МТ7",
         "Тип измерительного участка: Турбулизатор-ВС", true},
        {3, 3, "Тип измерительного прибора: ВЕЛАРС-МТ7", noLine, true},
        {4, 0, "Тип измерительного прибора: ВЕЛАРС-Д500",
         "Тип измерительного участка: Без турбулизатора", false},
        // Model 4's list is the first two items of the turbulizer list.
        {4, 2, "Тип измерительного прибора: ВЕЛАРС-Д500",
         "Тип измерительного участка: Турбулизатор-ВС", true},
        {5, 2, "Тип измерительного прибора: ВЕЛАРС-МТ7-Сфера",
         "Тип измерительного участка: Турбулизатор-ВС", true},
        {5, 4, "Тип измерительного прибора: ВЕЛАРС-МТ7-Сфера", noLine, true},
        // No model: the list with the silencer.
        {-1, 2, noLine, "Тип измерительного участка: Шумоглушитель", true},
        {-1, 3, noLine, "Тип измерительного участка: Турбулизатор-Н исп. реверс", true},
        {6, 0, noLine, "Тип измерительного участка: Без турбулизатора", false},
        {0, 4, "Тип измерительного прибора: ВЕЛАРС-Сфера-ПП", noLine, true},
        // No section: no section line, but the allowed increase is written.
        {0, -1, "Тип измерительного прибора: ВЕЛАРС-Сфера-ПП", noLine, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "model " << c.model << " section " << c.section);
        const QStringList texts = Texts(BodyParagraphs(Inputs(c.model, c.section), kRussian));
        QStringList expectedHead = {"", "Вариант конструкции прибора:", ""};
        if (!c.modelLine.isEmpty()) expectedHead << c.modelLine;
        if (!c.sectionLine.isEmpty()) expectedHead << c.sectionLine;
        expectedHead << "Диаметр условного прохода: Ду100";
        EXPECT_EQ(texts.mid(0, expectedHead.size()), expectedHead);
        const int expectedCount = 24 - (c.modelLine.isEmpty() ? 1 : 0) -
                                  (c.sectionLine.isEmpty() ? 1 : 0) - (c.allowedIncrease ? 0 : 2);
        EXPECT_EQ(texts.size(), expectedCount);
        EXPECT_EQ(
            texts.contains("Допустимое значение увеличения перепада давления на загрязненном УПП:"),
            c.allowedIncrease);
        EXPECT_EQ(texts.last(), "УПП - Устройство Подготовки Потока");
    }
}

TEST(BodyParagraphsTest, SectionZeroEndsWithTheEmptyLineAndTheFootnote) {
    const std::vector<ReportParagraph> body = BodyParagraphs(Inputs(3, 0), kRussian);
    ASSERT_EQ(body.size(), 22u);
    EXPECT_EQ(body[19], B("1 234,57 Па ( 126 мм вод. ст.)", true));
    EXPECT_EQ(body[20], B("", false));
    EXPECT_EQ(body[21], B("УПП - Устройство Подготовки Потока", false));
}

TEST(BodyParagraphsTest, NoDiameterLeavesTheDiameterLineBare) {
    const QStringList texts = Texts(BodyParagraphs(Inputs(0, 1, QString()), kRussian));
    EXPECT_TRUE(texts.contains("Диаметр условного прохода: Ду"));
}

TEST(BodyParagraphsTest, ValuesUseTheLocaleSeparators) {
    const Separators nbsp{QLatin1Char(','), QChar(0x00A0)};
    const QStringList texts = Texts(BodyParagraphs(Inputs(0, 1), nbsp));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("Избыточное давление, Ризб.: 0,10 МПа (10\u00A0197 мм вод. ст.)")));

    const Separators dotNoGroup{QLatin1Char('.'), QChar()};
    const QStringList plain = Texts(BodyParagraphs(Inputs(0, 1), dotNoGroup));
    EXPECT_TRUE(plain.contains("Температура газа, tгаза: 20.00 град. С"));
    EXPECT_TRUE(plain.contains("1234.57 Па ( 126 мм вод. ст.)"));
}

TEST(BodyParagraphsTest, MillimetreValuesAreRoundedToSingleBeforeFormatting) {
    // 44.1299248 Pa is 4.49999998 mm of water column in extended precision,
    // but exactly 4.5 once stored as a single: the report shows 5.
    ReportInputs in = Inputs(0, 1);
    in.record.valDPpoteri = 44.1299248f;
    in.record.valDPdop = 53.936573f;  // 5.4999998 -> 5.5 -> 6
    const QStringList texts = Texts(BodyParagraphs(in, kRussian));
    EXPECT_TRUE(texts.contains("44,13 Па ( 5 мм вод. ст.)")) << texts.join('\n').toStdString();
    EXPECT_TRUE(texts.contains("53,94 Па ( 6 мм вод. ст.).")) << texts.join('\n').toStdString();
}

TEST(BodyParagraphsTest, AZeroRecordReportsZeros) {
    ReportInputs in;
    in.section = 1;
    const QStringList texts = Texts(BodyParagraphs(in, kRussian));
    EXPECT_TRUE(texts.contains("Температура газа, tгаза: -273,15 град. С"));
    EXPECT_TRUE(texts.contains("Избыточное давление, Ризб.: 0,00 МПа (0 мм вод. ст.)"));
    EXPECT_TRUE(texts.contains("0,00 Па ( 0 мм вод. ст.)."));
}

}  // namespace
}  // namespace velars
