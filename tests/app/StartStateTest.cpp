#include <QCheckBox>
#include <QLabel>
#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "widgets/GlassButton.h"
#include "widgets/GroupFrame.h"
#include "widgets/RichLabel.h"
#include "widgets/RichTextPane.h"

namespace velars {
namespace {

using StartState = test::MainFormTest;

TEST_F(StartState, WindowProperties) {
    EXPECT_EQ(form->windowTitle(), "Веларс-ТП. Оценка потерь.");
    EXPECT_EQ(form->objectName(), "mainForm");
    EXPECT_EQ(form->size(), QSize(283, 607));
    EXPECT_EQ(form->minimumSize(), QSize(283, 607));
    EXPECT_EQ(form->maximumSize(), QSize(283, 607));
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(form->font().family(), "Arial");
    EXPECT_EQ(form->font().pixelSize(), 13);
    EXPECT_EQ(form->palette().color(QPalette::Window), ButtonFaceColor());
    EXPECT_EQ(form->Title(), "velars-tp");
}

struct ControlCase {
    const char* name;
    const char* parent;
    QRect geometry;
    bool hidden;
};

const ControlCase kControls[] = {
    {"butRaschhet", "mainForm", {176, 401, 100, 32}, false},
    {"AdvGroupBox1", "mainForm", {5, 0, 272, 113}, false},
    {"label_pribor", "AdvGroupBox1", {20, 20, 195, 16}, false},
    {"cbPribor", "AdvGroupBox1", {20, 39, 238, 22}, false},
    {"label_uchastok", "AdvGroupBox1", {20, 62, 190, 16}, false},
    {"cbUchastok", "AdvGroupBox1", {20, 80, 238, 22}, false},
    {"AdvGroupBox2", "mainForm", {5, 119, 272, 277}, false},
    {"label_dy", "AdvGroupBox2", {4, 23, 25, 25}, true},
    {"cbDy", "AdvGroupBox2", {34, 20, 78, 22}, true},
    {"mm", "AdvGroupBox2", {115, 25, 25, 25}, true},
    {"Label_LDy", "AdvGroupBox2", {150, 23, 35, 25}, true},
    {"Edit_LDy", "AdvGroupBox2", {190, 20, 67, 24}, true},
    {"opisanie_ph", "AdvGroupBox2", {3, 44, 255, 25}, false},
    {"label_p", "AdvGroupBox2", {7, 62, 10, 20}, false},
    {"label_h", "AdvGroupBox2", {21, 77, 7, 14}, false},
    {"mePlotnost", "AdvGroupBox2", {49, 67, 121, 24}, false},
    {"label_kg_m3", "AdvGroupBox2", {180, 65, 40, 25}, false},
    {"opisanie_q", "AdvGroupBox2", {4, 97, 255, 25}, false},
    {"Q", "AdvGroupBox2", {7, 120, 26, 25}, false},
    {"meQ", "AdvGroupBox2", {49, 120, 121, 24}, false},
    {"mn3ch", "AdvGroupBox2", {180, 120, 40, 25}, false},
    {"t_gazga", "AdvGroupBox2", {7, 151, 40, 25}, false},
    {"meTgaza", "AdvGroupBox2", {49, 150, 121, 24}, false},
    {"label_grad_C", "AdvGroupBox2", {180, 150, 40, 25}, false},
    {"Pizb", "AdvGroupBox2", {7, 182, 40, 25}, false},
    {"mePizb", "AdvGroupBox2", {49, 182, 121, 24}, false},
    {"MPa", "AdvGroupBox2", {180, 180, 40, 25}, false},
    {"mePizb2", "AdvGroupBox2", {49, 212, 121, 24}, false},
    {"mm_vod_st", "AdvGroupBox2", {180, 212, 80, 25}, false},
    {"Patm", "AdvGroupBox2", {7, 242, 40, 25}, false},
    {"mePatm", "AdvGroupBox2", {49, 242, 121, 24}, false},
    {"label_KPa", "AdvGroupBox2", {180, 240, 40, 25}, false},
    {"cbOtchet", "mainForm", {8, 410, 145, 17}, false},
    {"RichEdit1", "mainForm", {3, 440, 277, 163}, false},
};

TEST_F(StartState, EveryControlInPlace) {
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        QWidget* control = Find(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), c.parent);
        EXPECT_EQ(control->geometry(), c.geometry);
        EXPECT_EQ(control->isHidden(), c.hidden);
    }
}

TEST_F(StartState, CaptionsAndLabels) {
    EXPECT_EQ(Find<GlassButton>("butRaschhet")->text(), "Расчитать");
    EXPECT_EQ(Find<GroupFrame>("AdvGroupBox1")->Caption(), "Вариант конструкции прибора");
    EXPECT_EQ(Find<GroupFrame>("AdvGroupBox2")->Caption(), "Исходные данные для расчета");
    EXPECT_EQ(Find<QLabel>("label_pribor")->text(), "Тип измерительного прибора");
    EXPECT_EQ(Find<QLabel>("label_uchastok")->text(), "Тип измерительного участка");
    EXPECT_TRUE(Find<QLabel>("label_pribor")->font().bold());
    EXPECT_TRUE(Find<QLabel>("label_uchastok")->font().bold());
    EXPECT_EQ(Find<QLabel>("label_p")->text(), "ρ");
    EXPECT_EQ(Find<QLabel>("label_p")->font().pixelSize(), 16);
    EXPECT_EQ(Find<QLabel>("label_h")->text(), "H");
    EXPECT_EQ(Find<QLabel>("label_h")->font().pixelSize(), 11);
    EXPECT_EQ(Find<QCheckBox>("cbOtchet")->text(), " Отчет MS Word");

    using R = TextRun;
    const std::pair<const char*, std::vector<TextRun>> rich[] = {
        {"label_dy", {{"D", R::Normal}, {"y", R::Lowered}}},
        {"mm", {{"мм", R::Normal}}},
        {"Label_LDy", {{"L/D", R::Normal}, {"y", R::Lowered}}},
        {"opisanie_ph", {{"Плотность при стандартных условиях", R::Normal}}},
        {"label_kg_m3", {{"кг/м", R::Normal}, {"3", R::Raised}}},
        {"opisanie_q", {{"Расход при стандартных условиях", R::Normal}}},
        {"Q", {{"Q", R::Normal}}},
        {"mn3ch", {{"нм", R::Normal}, {"3/", R::Raised}, {"ч", R::Normal}}},
        {"t_gazga", {{"t", R::Normal}, {"газа", R::Lowered}}},
        {"label_grad_C", {{"o", R::Raised}, {"С", R::Normal}}},
        {"Pizb", {{"P", R::Normal}, {"изб.", R::Lowered}}},
        {"MPa", {{"МПа", R::Normal}}},
        {"mm_vod_st", {{"мм вод. ст.", R::Normal}}},
        {"Patm", {{"P", R::Normal}, {"атм.", R::Lowered}}},
        {"label_KPa", {{"КПа", R::Normal}}},
    };
    for (const auto& [name, runs] : rich) {
        SCOPED_TRACE(name);
        const RichLabel* label = Find<RichLabel>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Runs(), runs);
        const bool description = QString(name).startsWith("opisanie");
        EXPECT_EQ(label->font().bold(), !description);
        EXPECT_EQ(label->font().pointSizeF(), description ? 9.0 : 10.0);
    }
}

TEST_F(StartState, CalculateButtonColours) {
    const GlassButton::Colors& colors = Find<GlassButton>("butRaschhet")->GetColors();
    EXPECT_EQ(colors.background, QColor(0, 128, 0));
    EXPECT_EQ(colors.caption, QColor(255, 255, 255));
    EXPECT_EQ(colors.glow, QColor(141, 189, 255));
    EXPECT_EQ(colors.innerBorder, QColor(0, 0, 0));
    EXPECT_EQ(colors.outerBorder, QColor(255, 255, 255));
}

TEST_F(StartState, NothingChosenNothingTypedRecordZero) {
    EXPECT_EQ(List("cbPribor")->count(), 6);
    EXPECT_EQ(List("cbPribor")->itemText(0), "ВЕЛАРС-Сфера-ПП (полнопроходной)");
    EXPECT_EQ(List("cbPribor")->itemText(5), "ВЕЛАРС-МТ7-Сфера");
    for (const char* list : {"cbPribor", "cbUchastok", "cbDy"}) {
        EXPECT_EQ(List(list)->currentIndex(), -1) << list;
        EXPECT_EQ(List(list)->Color(), WindowColor()) << list;
    }
    EXPECT_EQ(List("cbUchastok")->count(), 0);
    EXPECT_EQ(List("cbDy")->count(), 0);
    for (const char* field :
         {"mePlotnost", "meQ", "meTgaza", "mePizb", "mePizb2", "mePatm", "Edit_LDy"}) {
        EXPECT_EQ(Field(field)->text(), "") << field;
        EXPECT_EQ(Field(field)->Color(), WindowColor()) << field;
    }
    EXPECT_FALSE(Find<QCheckBox>("cbOtchet")->isChecked());
    auto* pane = Find<RichTextPane>("RichEdit1");
    EXPECT_EQ(pane->Lines(), QStringList({"Результаты расчета:"}));
    EXPECT_TRUE(pane->isReadOnly());
    EXPECT_EQ(pane->font().pixelSize(), 13);

    EXPECT_EQ(form->FlagPizb(), 0);
    const CalcRecord& r = form->Record();
    for (const float value :
         {r.valPatm, r.valPizb, r.valTgaza, r.valQ, r.valPlotnost, r.valDzetaPP, r.valDzetaTurb2,
          r.valDzetaTurb, r.valDzetaSum, r.valDPpoteri, r.valDPdop})
        EXPECT_EQ(value, 0.0f);
    EXPECT_EQ(r.valDy, 0);
    EXPECT_TRUE(form->Word().vWordApp.IsEmpty());
    EXPECT_EQ(form->Word().nParagraph, 0);
    EXPECT_TRUE(form->Location().pathLog.isEmpty());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

// The keyboard order as Tab walks it; the calculate button is never reached.
QStringList TabWalk(QWidget* start, int steps) {
    QStringList names;
    start->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < steps; ++i) {
        QWidget* focus = QApplication::focusWidget();
        names << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return names;
}

TEST_F(StartState, KeyboardOrder) {
    Show();
    EXPECT_EQ(TabWalk(Find("cbPribor"), 11),
              QStringList({"cbPribor", "cbUchastok", "mePlotnost", "meQ", "mePizb", "mePizb2",
                           "mePatm", "meTgaza", "cbOtchet", "RichEdit1", "cbPribor"}));
    EXPECT_EQ(Find("butRaschhet")->focusPolicy(), Qt::ClickFocus);

    Pick("cbPribor", 2);  // the cut-in model shows the diameter and L/Dy
    EXPECT_EQ(
        TabWalk(Find("cbPribor"), 13),
        QStringList({"cbPribor", "cbUchastok", "cbDy", "mePlotnost", "meQ", "mePizb", "mePizb2",
                     "mePatm", "meTgaza", "Edit_LDy", "cbOtchet", "RichEdit1", "cbPribor"}));
}

TEST_F(StartState, ClosingTheWindowIsNeverRefused) {
    Show();
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

}  // namespace
}  // namespace velars
