// What the server answers to calls it cannot carry out: unknown names, the
// wrong call kind, argument counts and types, indexes and values out of
// range. Names are found whatever their case.

#include <gtest/gtest.h>

#include "automation/Automation.h"
#include "ServerFixture.h"

namespace velars::test {
namespace {

constexpr HRESULT kOutOfRange = HRESULT(0x800A1200u);  // error 4608
constexpr HRESULT kNoDocument = HRESULT(0x800A1098u);  // error 4248

class DispatchErrorsTest : public ServerFixture {
protected:
    void SetUp() override {
        StartWord();
        AddParagraph({QStringLiteral("текст"), 12, false, 0});
        paragraphs = AutoGet(word.vDocument, "Paragraphs");
        range = AutoGet(word.vParagraph, "Range");
        font = AutoGet(range, "Font");
    }

    Variant paragraphs;
    Variant range;
    Variant font;
};

TEST_F(DispatchErrorsTest, NamesAreFoundWhateverTheirCase) {
    const DispatchPtr application = word.vWordApp.pdispVal();
    const QString names[] = {QStringLiteral("Visible"), QStringLiteral("vISIBLE"),
                             QStringLiteral("VISIBLE")};
    DISPID first = DISPID_UNKNOWN;
    for (const QString& name : names) {
        DISPID id = DISPID_UNKNOWN;
        ASSERT_EQ(application->GetIDsOfNames(&name, 1, LOCALE_SYSTEM_DEFAULT, &id), S_OK);
        if (first == DISPID_UNKNOWN) first = id;
        EXPECT_EQ(id, first);
    }
    EXPECT_EQ(AutoGet(AutoGet(word.vWordApp, "documents"), "COUNT").lVal(), 1);
}

TEST_F(DispatchErrorsTest, UnknownNames) {
    const QString name = QStringLiteral("Visibl");
    DISPID id = 0;
    EXPECT_EQ(word.vWordApp.pdispVal()->GetIDsOfNames(&name, 1, LOCALE_SYSTEM_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    // Members take no named parameters.
    const QString withParameter[] = {QStringLiteral("Item"), QStringLiteral("Index")};
    DISPID ids[2] = {0, 0};
    EXPECT_EQ(paragraphs.pdispVal()->GetIDsOfNames(withParameter, 2, LOCALE_SYSTEM_DEFAULT, ids),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);
    // Through the automation layer the answer becomes the error it raises.
    try {
        AutoGet(word.vWordApp, "Quit");
        ADD_FAILURE() << "no error raised";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), DISP_E_UNKNOWNNAME);
    }
    // An id no name gave.
    Variant result;
    DISPPARAMS none;
    EXPECT_EQ(word.vWordApp.pdispVal()->Invoke(4711, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET,
                                               &none, &result, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchErrorsTest, WrongCallKindCountAndNamedArgument) {
    const struct {
        const char* what;
        const Variant& object;
        QString name;
        std::uint16_t flags;
        std::vector<Variant> args;
        bool namedPut;
        HRESULT expected;
    } cases[] = {
        {"property called as a method",
         word.vDocuments,
         QStringLiteral("Count"),
         DISPATCH_METHOD,
         {},
         true,
         DISP_E_MEMBERNOTFOUND},
        {"method read as a property",
         paragraphs,
         QStringLiteral("Add"),
         DISPATCH_PROPERTYGET,
         {},
         true,
         DISP_E_MEMBERNOTFOUND},
        {"read-only property put",
         word.vDocuments,
         QStringLiteral("Count"),
         DISPATCH_PROPERTYPUT,
         {Variant::FromI4(2)},
         true,
         DISP_E_MEMBERNOTFOUND},
        {"Item without its index",
         paragraphs,
         QStringLiteral("Item"),
         DISPATCH_METHOD,
         {},
         true,
         DISP_E_BADPARAMCOUNT},
        {"Item with two indexes",
         word.vDocuments,
         QStringLiteral("Item"),
         DISPATCH_METHOD,
         {Variant::FromI4(1), Variant::FromI4(1)},
         true,
         DISP_E_BADPARAMCOUNT},
        {"Add with an argument",
         paragraphs,
         QStringLiteral("Add"),
         DISPATCH_METHOD,
         {Variant::FromI4(1)},
         true,
         DISP_E_BADPARAMCOUNT},
        {"get with an argument",
         word.vWordApp,
         QStringLiteral("Visible"),
         DISPATCH_PROPERTYGET,
         {Variant::FromI4(1)},
         true,
         DISP_E_BADPARAMCOUNT},
        {"put with two values",
         font,
         QStringLiteral("Size"),
         DISPATCH_PROPERTYPUT,
         {Variant::FromI4(12), Variant::FromI4(14)},
         true,
         DISP_E_BADPARAMCOUNT},
        {"put without DISPID_PROPERTYPUT",
         font,
         QStringLiteral("Size"),
         DISPATCH_PROPERTYPUT,
         {Variant::FromI4(12)},
         false,
         DISP_E_PARAMNOTOPTIONAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Call(c.object, c.name, c.flags, c.args, c.namedPut).hr, c.expected);
    }
    // Nothing was changed by the refused calls.
    EXPECT_EQ(OnlyWindow()->Document()->blockCount(), 2);
}

TEST_F(DispatchErrorsTest, ArgumentsOfTheWrongType) {
    const struct {
        const char* what;
        const Variant& object;
        QString name;
        std::uint16_t flags;
        Variant value;
    } cases[] = {
        {"Bold as words", font, QStringLiteral("Bold"), DISPATCH_PROPERTYPUT,
         Variant::FromBstr(QStringLiteral("жирный"))},
        {"Size as words", font, QStringLiteral("Size"), DISPATCH_PROPERTYPUT,
         Variant::FromBstr(QStringLiteral("крупный"))},
        {"Text as an object", range, QStringLiteral("Text"), DISPATCH_PROPERTYPUT,
         Variant::FromDispatch(word.vWordApp.pdispVal())},
        {"Alignment empty", word.vParagraph, QStringLiteral("Alignment"), DISPATCH_PROPERTYPUT,
         Variant()},
        {"paragraph index as words", paragraphs, QStringLiteral("Item"), DISPATCH_METHOD,
         Variant::FromBstr(QStringLiteral("первый"))},
        {"document index as an object", word.vDocuments, QStringLiteral("Item"), DISPATCH_METHOD,
         Variant::FromDispatch(word.vWordApp.pdispVal())},
        {"Visible as null", word.vWordApp, QStringLiteral("Visible"), DISPATCH_PROPERTYPUT,
         Variant::Null()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CallAnswer answer = Call(c.object, c.name, c.flags, {c.value});
        EXPECT_EQ(answer.hr, DISP_E_TYPEMISMATCH);
        EXPECT_EQ(answer.argErr, 0u);
    }
    EXPECT_EQ(OnlyWindow()->Document()->firstBlock().text(), QStringLiteral("текст"));
}

TEST_F(DispatchErrorsTest, IndexesOutsideTheCollection) {
    const struct {
        const char* what;
        const Variant& object;
        Variant index;
    } cases[] = {
        {"document 0", word.vDocuments, Variant::FromI4(0)},
        {"document 2 of 1", word.vDocuments, Variant::FromI4(2)},
        {"document by an unknown name", word.vDocuments,
         Variant::FromBstr(QStringLiteral("Нет такого"))},
        {"paragraph 0", paragraphs, Variant::FromUI1(0)},
        {"paragraph 3 of 2", paragraphs, Variant::FromUI1(3)},
        {"paragraph -1", paragraphs, Variant::FromI1(-1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Call(c.object, QStringLiteral("Item"), DISPATCH_METHOD, {c.index}).hr,
                  DISP_E_BADINDEX);
    }
    // A document is found by its name too.
    const QString name = AutoGet(word.vDocument, "Name").bstrVal().value_or(QString());
    EXPECT_EQ(Call(word.vDocuments, QStringLiteral("Item"), DISPATCH_METHOD,
                   {Variant::FromBstr(name.toUpper())})
                  .hr,
              S_OK);
}

TEST_F(DispatchErrorsTest, ValuesOutOfRangeRaiseAnException) {
    const Variant zoom = AutoGet(
        AutoGet(AutoGet(AutoGet(word.vWordApp, "ActiveWindow"), "ActivePane"), "View"), "Zoom");
    const Variant format = AutoGet(AutoGet(word.vWordApp, "Selection"), "ParagraphFormat");
    const struct {
        const char* what;
        const Variant& object;
        QString name;
        Variant value;
    } cases[] = {
        {"alignment 4", word.vParagraph, QStringLiteral("Alignment"), Variant::FromI1(4)},
        {"alignment -1", word.vParagraph, QStringLiteral("Alignment"), Variant::FromI1(-1)},
        {"font size 0", font, QStringLiteral("Size"), Variant::FromI1(0)},
        {"font size 1639", font, QStringLiteral("Size"), Variant::FromI4(1639)},
        {"zoom 9 %", zoom, QStringLiteral("Percentage"), Variant::FromI4(9)},
        {"zoom 501 %", zoom, QStringLiteral("Percentage"), Variant::FromI4(501)},
        {"window state 3", word.vWordApp, QStringLiteral("WindowState"), Variant::FromI4(3)},
        {"line spacing 0", format, QStringLiteral("LineSpacing"), Variant::FromI4(0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CallAnswer answer = Call(c.object, c.name, DISPATCH_PROPERTYPUT, {c.value});
        EXPECT_EQ(answer.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(answer.excepInfo.scode, kOutOfRange);
        EXPECT_FALSE(answer.excepInfo.bstrDescription.isEmpty());
    }
    EXPECT_EQ(AutoGet(zoom, "Percentage").lVal(), 100);
    EXPECT_EQ(AutoGet(word.vParagraph, "Alignment").lVal(), 0);
}

TEST_F(ServerFixture, ApplicationWithoutDocumentsHasNoWindowOrSelection) {
    DispatchPtr created;
    ASSERT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &created), S_OK);
    const Variant application = Variant::FromDispatch(created);
    EXPECT_EQ(AutoGet(AutoGet(application, "Documents"), "Count").lVal(), 0);
    for (const QString& name : {QStringLiteral("ActiveWindow"), QStringLiteral("Selection"),
                                QStringLiteral("ActiveDocument")}) {
        SCOPED_TRACE(name.toStdString());
        const CallAnswer answer = Call(application, name, DISPATCH_PROPERTYGET);
        EXPECT_EQ(answer.hr, DISP_E_EXCEPTION);
        EXPECT_EQ(answer.excepInfo.scode, kNoDocument);
    }
}

}  // namespace
}  // namespace velars::test
