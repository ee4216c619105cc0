#include <gtest/gtest.h>

#include "MainFormFixture.h"

namespace velars {
namespace {

const QString kNbsp = QString(QChar(0x00A0));

class FieldBehaviour : public test::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Show();
    }
    void ExpectGeneralErrorBox(const QString& text) {
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        const auto& box = platform.messageBoxes.front();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, "velars-tp");
        EXPECT_EQ(box.style, MB_ICONERROR);
        EXPECT_EQ(box.owner, BoxOwner::MainWindow);
    }
};

struct TwinCase {
    const char* source;
    const char* twin;
    QString typed;
    QString expected;
};

// Comma as the decimal separator, the no-break space as the group one.
const TwinCase kTwins[] = {
    {"mePizb", "mePizb2", "0,1", "10" + kNbsp + "197"},
    {"mePizb", "mePizb2", "0.1", "10" + kNbsp + "197"},
    {"mePizb", "mePizb2", "0,3", "30" + kNbsp + "591"},
    {"mePizb", "mePizb2", ".", "0"},
    {"mePizb", "mePizb2", "1", "101" + kNbsp + "972"},
    {"mePizb2", "mePizb", "10000", "0,0980665010"},
    {"mePizb2", "mePizb", "1", "0,0000098067"},
    {"mePizb2", "mePizb", "0", "0,0000000000"},
};

TEST_F(FieldBehaviour, TypingInOnePressureFieldKeepsTheOtherInStep) {
    for (const TwinCase& c : kTwins) {
        SCOPED_TRACE(c.source + std::string(" ") + c.typed.toStdString());
        platform.ClearCalls();
        Field("mePizb")->clear();
        Field("mePizb2")->clear();
        platform.ClearCalls();
        Type(c.source, c.typed);
        EXPECT_EQ(Field(c.twin)->text(), c.expected);
        EXPECT_EQ(Field(c.source)->text(), c.typed) << "no echo back";
        EXPECT_TRUE(platform.messageBoxes.empty());
    }
}

// Where the locale groups digits with "," or ".", the millimetre field gets
// no group separator: the number reader would take it as a decimal mark and
// read 10,197 mm back as 10.197 mm when the user edits the field.
TEST_F(FieldBehaviour, AGroupSeparatorTheReaderTakesAsAMarkIsLeftOutOfTheMmField) {
    const struct {
        Separators separators;
        QString expectedMm;
    } cases[] = {
        {{QLatin1Char('.'), QLatin1Char(',')}, "10197"},
        {{QLatin1Char(','), QLatin1Char('.')}, "10197"},
        {{QLatin1Char(','), QChar(0x00A0)}, "10" + kNbsp + "197"},
        {{QLatin1Char('.'), QChar()}, "10197"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedMm.toStdString());
        platform.separators = c.separators;
        Field("mePizb")->clear();
        platform.ClearCalls();
        Type("mePizb", "0,1");
        EXPECT_EQ(Field("mePizb2")->text(), c.expectedMm);
        if (c.expectedMm.contains(kNbsp))
            continue;  // the reader refuses a blank: the user gets the error box
        // The user appends a digit: 101970 mm is about 1 MPa, not 0.0001.
        Enter(Field("mePizb2"));
        QTest::keyClick(Field("mePizb2"), Qt::Key_End);
        QTest::keyClicks(Field("mePizb2"), "0");
        EXPECT_EQ(Field("mePizb")->text(), QString("0") + c.separators.decimal + "9999840900");
        for (const auto& box : platform.messageBoxes) ADD_FAILURE() << box.text.toStdString();
    }
}

TEST_F(FieldBehaviour, EnteringAFieldMakesItTheSource) {
    EXPECT_EQ(form->FlagPizb(), 0);
    Enter(Field("mePizb"));
    EXPECT_EQ(form->FlagPizb(), 1);
    Enter(Field("mePatm"));
    EXPECT_EQ(form->FlagPizb(), 1) << "leaving changes nothing";
    QTest::mouseClick(Field("mePizb2"), Qt::LeftButton);
    EXPECT_EQ(form->FlagPizb(), 0);
}

// The click into the other pressure field that also activates the window
// (after a message box or another window had the focus) makes that field
// the source; the window getting back the field it had changes nothing.
TEST_F(FieldBehaviour, TheClickThatActivatesTheWindowEntersThePressureField) {
    Type("mePizb", "0,1");
    ASSERT_EQ(form->FlagPizb(), 1);
    QWidget other;
    other.show();
    auto activate = [](QWidget* w) {
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    };
    activate(&other);
    activate(form.get());
    EXPECT_EQ(form->FlagPizb(), 1) << "the window got back the field it had";

    activate(&other);
    QTest::mouseClick(Field("mePizb2"), Qt::LeftButton);
    activate(form.get());
    ASSERT_TRUE(Field("mePizb2")->hasFocus());
    EXPECT_EQ(form->FlagPizb(), 0);
    Field("mePizb2")->selectAll();
    QTest::keyClicks(Field("mePizb2"), "10000");
    EXPECT_EQ(Field("mePizb")->text(), "0,0980665010");
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(FieldBehaviour, BeforeEitherFieldIsEnteredTheMmFieldIsTheSource) {
    Field("mePizb2")->setText("10000");
    EXPECT_EQ(Field("mePizb")->text(), "0,0980665010");
    Field("mePizb")->setText("0,5");
    EXPECT_EQ(Field("mePizb2")->text(), "10000") << "mePizb is not the source";
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(FieldBehaviour, DeletingTheWholeTextShowsTheErrorBoxAndLeavesTheTwin) {
    Type("mePizb", "0,1");
    ASSERT_EQ(Field("mePizb2")->text(), "10" + kNbsp + "197");
    TextField* field = Field("mePizb");
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);  // "0,"
    QTest::keyClick(field, Qt::Key_Backspace);  // "0"
    EXPECT_EQ(Field("mePizb2")->text(), "0");
    EXPECT_TRUE(platform.messageBoxes.empty());
    QTest::keyClick(field, Qt::Key_Backspace);  // ""
    ExpectGeneralErrorBox("'' is not a valid floating point value.");
    EXPECT_EQ(Field("mePizb2")->text(), "0");
    EXPECT_EQ(form->FlagPizb(), 1);
    // Editing goes on.
    QTest::keyClicks(field, "2");
    EXPECT_EQ(Field("mePizb2")->text(), "203" + kNbsp + "943");
}

struct InvalidCase {
    const char* source;
    const char* twin;
    QString text;
    QString message;
};

const InvalidCase kInvalid[] = {
    {"mePizb", "mePizb2", " ", "' ' is not a valid floating point value."},
    {"mePizb", "mePizb2", "-", "'-' is not a valid floating point value."},
    {"mePizb", "mePizb2", "abc", "'abc' is not a valid floating point value."},
    {"mePizb", "mePizb2", "1.2.3", "'1,2,3' is not a valid floating point value."},
    {"mePizb2", "mePizb", "10" + kNbsp + "197",
     "'10" + kNbsp + "197' is not a valid floating point value."},
    {"mePizb2", "mePizb", "5 мм", "'5 мм' is not a valid floating point value."},
};

TEST_F(FieldBehaviour, AnInvalidTextShowsTheErrorBoxAndLeavesTheTwinUnchanged) {
    for (const InvalidCase& c : kInvalid) {
        SCOPED_TRACE(c.source + std::string(" ") + c.text.toStdString());
        Field(c.twin)->blockSignals(true);
        Field(c.twin)->setText("twin");
        Field(c.twin)->blockSignals(false);
        Enter(Field(c.source));
        const std::uint8_t flag = form->FlagPizb();
        platform.ClearCalls();
        Field(c.source)->setText(c.text);
        ExpectGeneralErrorBox(c.message);
        EXPECT_EQ(Field(c.twin)->text(), "twin");
        EXPECT_EQ(form->FlagPizb(), flag);
    }
}

TEST_F(FieldBehaviour, PickingADiameterStoresIt) {
    Pick("cbPribor", 3);
    Pick("cbDy", 3);
    EXPECT_EQ(form->Record().valDy, 100);
    Pick("cbDy", 0);
    EXPECT_EQ(form->Record().valDy, 27);
}

// How the user reaches a control.
enum class Action { Enter, Click, DoubleClick, Change, Type };

struct RestoreCase {
    const char* control;
    Action action;
    QStringList restored;  // every other control keeps the error colour
};

const RestoreCase kRestores[] = {
    {"cbPribor", Action::Enter, {"cbPribor"}},
    {"cbPribor", Action::Click, {"cbPribor"}},
    {"cbUchastok", Action::Enter, {"cbUchastok"}},
    {"cbUchastok", Action::Click, {"cbUchastok"}},
    {"cbDy", Action::Enter, {"cbDy"}},
    {"cbDy", Action::Click, {"cbDy"}},
    {"mePlotnost", Action::Enter, {"mePlotnost"}},
    {"mePlotnost", Action::Click, {"mePlotnost"}},
    {"mePlotnost", Action::Type, {}},
    {"meQ", Action::Enter, {"meQ"}},
    {"meQ", Action::Click, {"meQ"}},
    {"meQ", Action::Type, {}},
    {"meTgaza", Action::Enter, {"meTgaza"}},
    {"meTgaza", Action::Click, {}},
    {"meTgaza", Action::DoubleClick, {"meTgaza"}},
    {"meTgaza", Action::Change, {"meTgaza"}},
    {"mePatm", Action::Enter, {"mePatm"}},
    {"mePatm", Action::Click, {"mePatm"}},
    {"mePatm", Action::Type, {}},
    {"Edit_LDy", Action::Enter, {"Edit_LDy"}},
    {"Edit_LDy", Action::Click, {"Edit_LDy"}},
    {"Edit_LDy", Action::Type, {}},
    {"mePizb", Action::Enter, {"mePizb", "mePizb2"}},
    {"mePizb", Action::Click, {"mePizb", "mePizb2"}},
    {"mePizb2", Action::Enter, {"mePizb", "mePizb2"}},
    {"mePizb2", Action::Click, {"mePizb", "mePizb2"}},
};

const char* const kColoured[] = {"cbPribor", "cbUchastok", "cbDy",   "mePlotnost", "meQ",
                                 "meTgaza",  "mePatm",     "mePizb", "mePizb2",    "Edit_LDy"};

TEST_F(FieldBehaviour, EnteringOrClickingGivesTheWindowColourBack) {
    Pick("cbPribor", 2);  // shows the diameter list and L/Dy
    auto colourOf = [this](const QString& name) {
        if (auto* list = form->findChild<ColorComboBox*>(name)) return list->Color();
        return Field(name)->Color();
    };
    for (const RestoreCase& c : kRestores) {
        SCOPED_TRACE(c.control + std::string(" action ") + std::to_string(int(c.action)));
        QWidget* control = Find(c.control);
        // A click in a control that has the focus already raises no Enter.
        if (c.action == Action::Enter)
            Enter(Find(c.control == QString("cbOtchet") ? "cbPribor" : "cbOtchet"));
        else
            Enter(control);
        for (const char* name : kColoured) {
            if (auto* list = form->findChild<ColorComboBox*>(name))
                list->SetColorEx(Red());
            else
                Field(name)->SetColor(Red());
        }
        switch (c.action) {
        case Action::Enter: Enter(control); break;
        case Action::Click:
            if (auto* list = qobject_cast<ColorComboBox*>(control)) {
                QTest::mouseClick(list, Qt::LeftButton);
                list->hidePopup();
            } else {
                QTest::mouseClick(control, Qt::LeftButton);
            }
            break;
        case Action::DoubleClick: QTest::mouseDClick(control, Qt::LeftButton); break;
        case Action::Change: Field(c.control)->setText("abc"); break;
        case Action::Type: QTest::keyClicks(control, "7"); break;
        }
        for (const char* name : kColoured)
            EXPECT_EQ(colourOf(name), c.restored.contains(name) ? WindowColor() : Red()) << name;
    }
    EXPECT_TRUE(platform.messageBoxes.empty());
}

}  // namespace
}  // namespace velars
