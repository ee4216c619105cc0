#include <gtest/gtest.h>

#include "MainFormFixture.h"
#include "widgets/RichTextPane.h"

namespace velars {
namespace {

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

const QStringList kS4 = {"Без турбулизатора", "Турбулизатор-Н", "Шумоглушитель",
                         "Турбулизатор-Н исп. реверс"};
const QStringList kS3 = {"Без турбулизатора", "Турбулизатор-Н", "Турбулизатор-ВС"};
const QStringList kS2 = {"Без турбулизатора", "Турбулизатор-Н"};

struct ModelCase {
    int model;
    QStringList sections;
    QStringList diameters;
    bool ldy;
};

const ModelCase kModels[] = {
    {0, kS4, {"50", "80", "100", "150", "200", "300", "400"}, false},
    {1, kS4, {"100", "150", "200"}, false},
    {2, kS4, {"50"}, true},
    {3, kS3, {"27", "50", "80", "100", "150", "200", "300"}, false},
    {4, kS2, {"27", "50", "80", "100", "150", "200", "300"}, false},
    {5, kS3, {"50", "80", "100"}, false},
};

class Catalogue : public test::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Show();
    }
    RichTextPane* Pane() const { return Find<RichTextPane>("RichEdit1"); }
};

TEST_F(Catalogue, PickingAModelAppliesItsEntry) {
    // Every model after every other: each pick rebuilds both lists.
    for (const int previous : {-1, 0, 1, 2, 3, 4, 5}) {
        for (const ModelCase& c : kModels) {
            SCOPED_TRACE(::testing::Message() << "model " << c.model << " after " << previous);
            if (previous >= 0) Pick("cbPribor", previous);
            // A state the pick must change: a result on show, selections
            // made, the lists marked invalid, a diameter stored.
            Pane()->ClearLines();
            Pane()->AddLine("Результаты расчета:");
            List("cbUchastok")->setCurrentIndex(0);
            List("cbDy")->setCurrentIndex(0);
            List("cbPribor")->SetColorEx(Red());
            List("cbUchastok")->SetColorEx(Red());
            List("cbDy")->SetColorEx(Red());
            const std::int32_t valDy = form->Record().valDy;

            Pick("cbPribor", c.model);

            EXPECT_EQ(Items(List("cbUchastok")), c.sections);
            EXPECT_EQ(Items(List("cbDy")), c.diameters);
            EXPECT_EQ(List("cbUchastok")->currentIndex(), -1);
            EXPECT_EQ(List("cbDy")->currentIndex(), -1);
            for (const char* shown : {"cbDy", "label_dy", "mm"})
                EXPECT_TRUE(Find(shown)->isVisible()) << shown;
            EXPECT_EQ(Find("Edit_LDy")->isVisible(), c.ldy);
            EXPECT_EQ(Find("Label_LDy")->isVisible(), c.ldy);
            EXPECT_EQ(Pane()->LineCount(), 0) << "heading included";
            EXPECT_EQ(List("cbPribor")->Color(), WindowColor());
            EXPECT_EQ(List("cbUchastok")->Color(), Red()) << "until the user returns to it";
            EXPECT_EQ(List("cbDy")->Color(), Red());
            EXPECT_EQ(form->Record().valDy, valDy);
        }
    }
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(Catalogue, ModelTwoKeepsTheHiddenLDyTextAndStoresNoDiameter) {
    Pick("cbPribor", 0);
    Pick("cbDy", 6);
    EXPECT_EQ(form->Record().valDy, 400);
    Pick("cbPribor", 2);
    Field("Edit_LDy")->setText("3,5");
    Pick("cbPribor", 4);
    EXPECT_TRUE(Find("Edit_LDy")->isHidden());
    Pick("cbPribor", 2);
    EXPECT_EQ(Field("Edit_LDy")->text(), "3,5");
    EXPECT_EQ(List("cbDy")->currentIndex(), -1);
    EXPECT_EQ(form->Record().valDy, 400) << "until the user picks 50";
    Pick("cbDy", 0);
    EXPECT_EQ(form->Record().valDy, 50);
}

TEST_F(Catalogue, ModelChangeLeavesTheFieldsAlone) {
    Field("mePlotnost")->setText("0,68");
    Field("mePlotnost")->SetColor(Red());
    Find<QCheckBox>("cbOtchet")->setChecked(true);
    Pick("cbPribor", 3);
    EXPECT_EQ(Field("mePlotnost")->text(), "0,68");
    EXPECT_EQ(Field("mePlotnost")->Color(), Red());
    EXPECT_TRUE(Find<QCheckBox>("cbOtchet")->isChecked());
}

TEST_F(Catalogue, SettingTheModelFromCodeRunsNothing) {
    List("cbPribor")->setCurrentIndex(3);
    EXPECT_EQ(List("cbUchastok")->count(), 0);
    EXPECT_EQ(Pane()->LineCount(), 1);
}

TEST_F(Catalogue, PickingASectionOrADiameterClearsThePaneAndNotTheOtherList) {
    Pick("cbPribor", 3);
    Pane()->AddLine("Результаты расчета:");
    List("cbUchastok")->SetColorEx(Red());
    Pick("cbUchastok", 2);
    EXPECT_EQ(Pane()->LineCount(), 0);
    EXPECT_EQ(List("cbUchastok")->Color(), WindowColor());
    EXPECT_EQ(List("cbDy")->currentIndex(), -1);

    Pane()->AddLine("Результаты расчета:");
    Pick("cbDy", 0);
    EXPECT_EQ(Pane()->LineCount(), 0);
    EXPECT_EQ(form->Record().valDy, 27);
    EXPECT_EQ(List("cbUchastok")->currentIndex(), 2);
}

}  // namespace
}  // namespace velars
