#include "calc/InputValidation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "numbers/Exception.h"

namespace velars {
namespace {

const char* Name(InputField f) {
    switch (f) {
    case InputField::Patm: return "mePatm";
    case InputField::Pizb: return "mePizb";
    case InputField::Tgaza: return "meTgaza";
    case InputField::Q: return "meQ";
    case InputField::Plotnost: return "mePlotnost";
    case InputField::LDy: return "Edit_LDy";
    }
    return "?";
}

const char* Name(InputList l) {
    switch (l) {
    case InputList::Pribor: return "cbPribor";
    case InputList::Uchastok: return "cbUchastok";
    case InputList::Dy: return "cbDy";
    }
    return "?";
}

// The window as validation sees it: texts, selections, and a log of the
// fields read and the controls marked.
class FakeForm : public InputForm {
public:
    std::map<InputField, QString> texts;
    std::map<InputList, int> selected{
        {InputList::Pribor, -1}, {InputList::Uchastok, -1}, {InputList::Dy, -1}};
    std::vector<std::string> marked;
    std::vector<std::string> read;

    QString Text(InputField field) override {
        read.push_back(Name(field));
        return texts[field];
    }
    void MarkInvalid(InputField field) override {
        marked.push_back(Name(field));
        texts[field].clear();
    }
    int SelectedIndex(InputList list) override { return selected[list]; }
    void MarkInvalid(InputList list) override { marked.push_back(Name(list)); }

    // The worked example's inputs with model 3, section 1, diameter 100.
    void FillValid(const char* mark) {
        const QString m = QString::fromLatin1(mark);
        texts[InputField::Patm] = "101" + m + "325";
        texts[InputField::Pizb] = "0" + m + "3";
        texts[InputField::Tgaza] = "20";
        texts[InputField::Q] = "500";
        texts[InputField::Plotnost] = "0" + m + "68";
        selected = {{InputList::Pribor, 3}, {InputList::Uchastok, 1}, {InputList::Dy, 3}};
    }
};

const QChar kComma = QLatin1Char(',');
using Names = std::vector<std::string>;

TEST(CheckInputs, AllEmptyNothingSelectedMarksEverythingInOrder) {
    FakeForm form;
    CalcRecord record;
    record.valPatm = 5;  // from an earlier calculation
    EXPECT_EQ(CheckInputs(form, record, kComma), 1);
    EXPECT_EQ(form.marked, (Names{"mePatm", "mePizb", "meTgaza", "meQ", "mePlotnost", "cbPribor",
                                  "cbUchastok", "cbDy"}));
    EXPECT_EQ(record.valPatm, 5.0f);
    EXPECT_EQ(record.valQ, 0.0f);
}

TEST(CheckInputs, CommaAndPointStoreTheSameValues) {
    for (const char* mark : {",", "."}) {
        SCOPED_TRACE(mark);
        FakeForm form;
        form.FillValid(mark);
        CalcRecord record;
        EXPECT_EQ(CheckInputs(form, record, kComma), 0);
        EXPECT_TRUE(form.marked.empty());
        EXPECT_EQ(record.valPatm, 101325.0f);
        EXPECT_EQ(record.valPizb, 300000.0f);
        EXPECT_EQ(static_cast<double>(record.valTgaza), 293.1499938964844);
        EXPECT_EQ(record.valQ, 500.0f);
        EXPECT_EQ(static_cast<double>(record.valPlotnost), 0.6800000071525574);
    }
}

TEST(CheckInputs, RatioReadOnlyForTheCutInModel) {
    FakeForm form;
    form.FillValid(",");
    form.texts[InputField::LDy] = "rubbish";
    CalcRecord record;
    EXPECT_EQ(CheckInputs(form, record, kComma), 0);
    EXPECT_EQ(form.texts[InputField::LDy], "rubbish");
    EXPECT_EQ(std::count(form.read.begin(), form.read.end(), "Edit_LDy"), 0);

    form.selected[InputList::Pribor] = 2;
    form.selected[InputList::Dy] = 0;
    form.texts[InputField::LDy] = "";
    EXPECT_EQ(CheckInputs(form, record, kComma), 1);
    EXPECT_EQ(form.marked, Names{"Edit_LDy"});

    form.marked.clear();
    form.texts[InputField::LDy] = "4,5";
    EXPECT_EQ(CheckInputs(form, record, kComma), 0);
    EXPECT_TRUE(form.marked.empty());
}

TEST(CheckInputs, ValuesBeyondSingleRangeAreInvalid) {
    struct Case {
        InputField field;
        const char* text;
        const char* name;
        float CalcRecord::*member;  // none for L/Dy
    };
    const Case cases[] = {
        {InputField::Patm, "1e39", "mePatm", &CalcRecord::valPatm},
        {InputField::Patm, "1e36", "mePatm", &CalcRecord::valPatm},  // fits, but not in Pa
        {InputField::Pizb, "1e33", "mePizb", &CalcRecord::valPizb},
        {InputField::Tgaza, "-1e39", "meTgaza", &CalcRecord::valTgaza},
        {InputField::Q, "1e39", "meQ", &CalcRecord::valQ},
        {InputField::Plotnost, "1e4000", "mePlotnost", &CalcRecord::valPlotnost},
        {InputField::LDy, "1e39", "Edit_LDy", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.text);
        FakeForm form;
        form.FillValid(",");
        form.selected = {{InputList::Pribor, 2}, {InputList::Uchastok, 1}, {InputList::Dy, 0}};
        form.texts[InputField::LDy] = "4";
        form.texts[c.field] = c.text;
        CalcRecord record;
        record.valPatm = record.valPizb = record.valTgaza = record.valQ = record.valPlotnost = 7;
        EXPECT_EQ(CheckInputs(form, record, kComma), 1);
        EXPECT_EQ(form.marked, Names{c.name});
        EXPECT_TRUE(form.texts[c.field].isEmpty());
        // The failed field keeps the earlier value; the others are new.
        if (c.member) {
            EXPECT_EQ(record.*c.member, 7.0f);
        }
        if (c.field != InputField::Q) {
            EXPECT_EQ(record.valQ, 500.0f);
        }
    }
}

TEST(CheckInputs, NoRangeChecksWithinSingle) {
    FakeForm form;
    form.FillValid(".");
    form.texts[InputField::Q] = "-5";
    form.texts[InputField::Plotnost] = "0";
    form.texts[InputField::Patm] = "3e35";
    form.texts[InputField::Tgaza] = "1e-50";  // underflows to 0 silently
    CalcRecord record;
    EXPECT_EQ(CheckInputs(form, record, kComma), 0);
    EXPECT_EQ(record.valQ, -5.0f);
    EXPECT_EQ(record.valPlotnost, 0.0f);
    EXPECT_FLOAT_EQ(record.valPatm, 3e38f);
    EXPECT_EQ(record.valTgaza, static_cast<float>(273.15));
}

TEST(CheckInputs, FailedPressureKeepsThePreviousValue) {
    FakeForm form;
    form.FillValid(",");
    form.texts[InputField::Patm] = "99";
    form.texts[InputField::Pizb] = "0,3 MPa";
    CalcRecord record;
    record.valPizb = 123;
    EXPECT_EQ(CheckInputs(form, record, kComma), 1);
    EXPECT_EQ(form.marked, Names{"mePizb"});
    EXPECT_EQ(record.valPizb, 123.0f);
    EXPECT_EQ(record.valPatm, 99000.0f);
    EXPECT_EQ(record.valQ, 500.0f);  // validation went on
}

TEST(ReadSingle, ThrowsConvertErrorWithTheSubstitutedText) {
    EXPECT_EQ(ReadSingle(QStringLiteral(" 0.5 "), kComma), 0.5f);
    try {
        ReadSingle(QStringLiteral("1.5e39"), kComma);
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1,5e39' is not a valid floating point value");
    }
    EXPECT_THROW(ReadSingle(QString(), kComma), EConvertError);
}

}  // namespace
}  // namespace velars
