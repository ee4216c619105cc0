#include <QCheckBox>
#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "widgets/GlassButton.h"
#include "widgets/RichTextPane.h"

namespace velars {
namespace {

class Calculate : public test::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Show();
    }

    // The inputs of the worked example: model 3, section 1, Dy 100.
    void EnterWorkedExample(int section = 1) {
        Pick("cbPribor", 3);
        Pick("cbUchastok", section);
        Pick("cbDy", 3);
        Type("mePlotnost", "0,68");
        Type("meQ", "500");
        Type("meTgaza", "20");
        Type("mePizb", "0,3");
        Type("mePatm", "101,325");
    }

    void Press() { QTest::mouseClick(Find<GlassButton>("butRaschhet"), Qt::LeftButton); }
    RichTextPane* Pane() const { return Find<RichTextPane>("RichEdit1"); }

    QList<int> BoldLines() const {
        QList<int> bold;
        for (int i = 0; i < Pane()->LineCount(); ++i)
            if (Pane()->LineIsBold(i)) bold << i;
        return bold;
    }

    void ExpectInputErrorBox() {
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        const auto& box = platform.messageBoxes.front();
        EXPECT_EQ(box.text, "Ошибка ввода параметров!");
        EXPECT_EQ(box.caption, "Ошибка!");
        EXPECT_EQ(box.style, MB_ICONERROR);
        EXPECT_EQ(box.owner, BoxOwner::Application);
    }
};

TEST_F(Calculate, WorkedExampleFillsThePaneWithThreeBoldRuns) {
    EnterWorkedExample();
    Press();
    Press();  // nothing accumulates
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(Pane()->Lines(), QStringList({
                                   "Результаты расчета:",
                                   "Наибольшие потери давления на ПП",
                                   "и турбулизаторе (в чистом состоянии):",
                                   "73,76 Па ( 8 мм вод. ст.)",
                                   " ",
                                   "Допустимое значение увеличения",
                                   "перепада давления на загрязненном",
                                   "устройстве подготовки потока:",
                                   "7,38 Па ( 1 мм вод. ст.).",
                               }));
    // Run 2 takes in the one-space line 5 with the result line 4.
    EXPECT_EQ(BoldLines(), QList<int>({0, 3, 4, 8}));
    const CalcRecord& r = form->Record();
    EXPECT_EQ(r.valPatm, 101325.0f);
    EXPECT_EQ(r.valPizb, 300000.0f);
    EXPECT_EQ(r.valTgaza, 293.1499938964844f);
    EXPECT_EQ(r.valDy, 100);
    EXPECT_EQ(r.valDPpoteri, 73.76138305664062f);
    EXPECT_EQ(r.valDPdop, 7.376138210296631f);
}

// The button is no Tab stop; a keyboard user calculates with F9 or
// Ctrl+Enter wherever the focus is, and the focus stays there.
TEST_F(Calculate, F9AndCtrlEnterPressTheButtonFromAnywhereInTheWindow) {
    EnterWorkedExample();
    EXPECT_TRUE(Find("butRaschhet")->toolTip().contains("F9"));
    EXPECT_TRUE(Find("butRaschhet")->toolTip().contains("Ctrl+Enter"));
    const struct {
        const char* control;
        QKeyCombination keys;
    } cases[] = {
        {"mePatm", QKeyCombination(Qt::Key_F9)},
        {"meTgaza", Qt::ControlModifier | Qt::Key_Return},
        {"cbPribor", Qt::ControlModifier | Qt::Key_Enter},
        {"RichEdit1", QKeyCombination(Qt::Key_F9)},
        {"cbOtchet", Qt::ControlModifier | Qt::Key_Return},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        Pane()->ClearLines();
        QWidget* control = Find(c.control);
        Enter(control);
        QTest::keyClick(control, c.keys.key(), c.keys.keyboardModifiers());
        EXPECT_EQ(Pane()->LineCount(), 9);
        EXPECT_TRUE(control->hasFocus());
    }
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(List("cbPribor")->currentIndex(), 3) << "the keys pick nothing";
}

TEST_F(Calculate, WithoutATurbulizerFourLines) {
    EnterWorkedExample(0);
    Press();
    EXPECT_EQ(Pane()->LineCount(), 4);
    EXPECT_EQ(BoldLines(), QList<int>({0, 3}));
}

TEST_F(Calculate, NothingEnteredMarksEverythingAndShowsTheInputError) {
    Find<QCheckBox>("cbOtchet")->setChecked(true);
    Press();
    ExpectInputErrorBox();  // and Word is not started
    EXPECT_EQ(Pane()->LineCount(), 0);
    for (const char* list : {"cbPribor", "cbUchastok", "cbDy"})
        EXPECT_EQ(List(list)->Color(), Red()) << list;
    for (const char* field : {"mePlotnost", "meQ", "mePizb", "mePizb2", "mePatm"})
        EXPECT_EQ(Field(field)->Color(), Red()) << field;
    EXPECT_EQ(Field("meTgaza")->Color(), Red()) << "an empty temperature keeps the colour";
    EXPECT_EQ(Field("Edit_LDy")->Color(), WindowColor()) << "no model: L/Dy is not tested";
}

// The user was in the empty temperature field, pressed the button, and
// clicks back into the field: it is entered again and gets its colour back.
TEST_F(Calculate, ClickingBackIntoAMarkedFieldRestoresIt) {
    Enter(Field("meTgaza"));
    Press();
    ASSERT_EQ(Field("meTgaza")->Color(), Red());
    QTest::mouseClick(Field("meTgaza"), Qt::LeftButton);
    EXPECT_TRUE(Field("meTgaza")->hasFocus());
    EXPECT_EQ(Field("meTgaza")->Color(), WindowColor());
}

// After the input-error box the window is activated again; the click that
// brings it back into the red temperature field enters the field.
TEST_F(Calculate, TheClickThatReactivatesTheWindowRestoresAMarkedField) {
    Enter(Field("mePatm"));
    Press();
    ASSERT_EQ(Field("meTgaza")->Color(), Red());
    QWidget box;  // the message box, closed
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.hide();
    QTest::mouseClick(Field("meTgaza"), Qt::LeftButton);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_TRUE(Field("meTgaza")->hasFocus());
    EXPECT_EQ(Field("meTgaza")->Color(), WindowColor());
}

TEST_F(Calculate, AnInvalidSourcePressureIsEmptiedWithoutATwinConversion) {
    EnterWorkedExample();
    Type("mePizb", "0,3x");  // the user's last field: the source
    platform.ClearCalls();
    Press();
    ExpectInputErrorBox();
    EXPECT_EQ(Field("mePizb")->text(), "");
    EXPECT_EQ(Field("mePizb2")->text(), "");
    EXPECT_EQ(Field("mePizb")->Color(), Red());
    EXPECT_EQ(Field("mePizb2")->Color(), Red());
    EXPECT_EQ(form->Record().valTgaza, 293.1499938964844f) << "the later fields were read";
}

TEST_F(Calculate, AnInvalidTemperatureIsEmptiedAndLosesTheErrorColour) {
    EnterWorkedExample();
    Type("meTgaza", "twenty");
    Press();
    ExpectInputErrorBox();
    EXPECT_EQ(Field("meTgaza")->text(), "");
    EXPECT_EQ(Field("meTgaza")->Color(), WindowColor());
    EXPECT_EQ(Pane()->LineCount(), 0);
}

TEST_F(Calculate, ModelTwoNeedsLDy) {
    Pick("cbPribor", 2);
    Pick("cbUchastok", 1);
    Pick("cbDy", 0);
    Type("mePlotnost", "0,68");
    Type("meQ", "50");
    Type("meTgaza", "20");
    Type("mePizb", "0,3");
    Type("mePatm", "101,325");
    Press();
    ExpectInputErrorBox();
    EXPECT_EQ(Field("Edit_LDy")->Color(), Red());

    platform.ClearCalls();
    Type("Edit_LDy", "10");
    Press();
    EXPECT_TRUE(platform.messageBoxes.empty());
    EXPECT_EQ(Pane()->LineCount(), 9);
}

TEST_F(Calculate, AFloatingPointFaultEndsTheRunInTheGeneralErrorBox) {
    EnterWorkedExample();
    Type("meQ", "1e30");
    Type("mePlotnost", "1e30");
    platform.ClearCalls();
    Press();
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Floating point overflow.");
    EXPECT_EQ(platform.messageBoxes[0].caption, "velars-tp");
    EXPECT_EQ(platform.messageBoxes[0].style, MB_ICONERROR);
    EXPECT_EQ(Pane()->LineCount(), 0);
}

TEST_F(Calculate, TheReportStepFollowsACompletePane) {
    // No document server is registered: the step tells the user and ends.
    EnterWorkedExample();
    Find<QCheckBox>("cbOtchet")->setChecked(true);
    platform.ClearCalls();
    Press();
    EXPECT_EQ(Pane()->LineCount(), 9);
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text, "Ошибка при открытии сервера Word");
}

}  // namespace
}  // namespace velars
