// What a screen reader reads of the window through the accessibility
// interface: the inputs by their labels and units, the labels' and frames'
// texts, the results pane's lines.

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <gtest/gtest.h>

#include "MainFormFixture.h"

namespace velars {
namespace {

using Accessibility = test::MainFormTest;

QString NameOf(QWidget* widget) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a ? a->text(QAccessible::Name) : QStringLiteral("<none>");
}

QAccessible::Role RoleOf(QWidget* widget) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a ? a->role() : QAccessible::NoRole;
}

TEST_F(Accessibility, EveryInputIsNamedByItsLabelAndUnit) {
    const struct {
        const char* control;
        const char* name;
    } cases[] = {
        {"mePlotnost", "Плотность при стандартных условиях, кг/м³"},
        {"meQ", "Расход при стандартных условиях, нм³/ч"},
        {"meTgaza", "Температура газа, °С"},
        {"mePizb", "Избыточное давление, МПа"},
        {"mePizb2", "Избыточное давление, мм вод. ст."},
        {"mePatm", "Атмосферное давление, кПа"},
        {"Edit_LDy", "L/Dy"},
        {"cbPribor", "Тип измерительного прибора"},
        {"cbUchastok", "Тип измерительного участка"},
        {"cbDy", "Dy, мм"},
        {"cbOtchet", " Отчет MS Word"},
        {"butRaschhet", "Расчитать"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameOf(Find(c.control)), QString::fromUtf8(c.name)) << c.control;
}

TEST_F(Accessibility, LabelsAndFramesExposeTheirTexts) {
    const struct {
        const char* control;
        const char* name;
        QAccessible::Role role;
    } cases[] = {
        {"opisanie_ph", "Плотность при стандартных условиях", QAccessible::StaticText},
        {"label_kg_m3", "кг/м3", QAccessible::StaticText},
        {"Pizb", "Pизб.", QAccessible::StaticText},
        {"label_pribor", "Тип измерительного прибора", QAccessible::StaticText},
        {"AdvGroupBox1", "Вариант конструкции прибора", QAccessible::Grouping},
        {"AdvGroupBox2", "Исходные данные для расчета", QAccessible::Grouping},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NameOf(Find(c.control)), QString::fromUtf8(c.name)) << c.control;
        EXPECT_EQ(RoleOf(Find(c.control)), c.role) << c.control;
    }
}

TEST_F(Accessibility, TheResultsPaneExposesItsLines) {
    Show();
    Pick("cbPribor", 3);
    Pick("cbUchastok", 1);
    Pick("cbDy", 3);
    Type("mePlotnost", "0,68");
    Type("meQ", "500");
    Type("meTgaza", "20");
    Type("mePizb", "0,3");
    Type("mePatm", "101,325");
    QTest::keyClick(Field("mePatm"), Qt::Key_F9);
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(Find("RichEdit1"));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->text(QAccessible::Name), "Результаты расчета");
    QAccessibleTextInterface* text = pane->textInterface();
    ASSERT_NE(text, nullptr);
    QString all = text->text(0, text->characterCount());
    all.replace(QChar(0x2029), QLatin1Char('\n'));
    const QStringList lines = all.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 9) << text->text(0, text->characterCount()).toStdString();
    EXPECT_EQ(lines[3], "73,76 Па ( 8 мм вод. ст.)");
    EXPECT_EQ(lines[8], "7,38 Па ( 1 мм вод. ст.).");
}

}  // namespace
}  // namespace velars
