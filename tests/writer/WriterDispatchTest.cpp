// The Writer server answers the automation layer exactly as the built-in
// server does: the same result codes for unknown names, wrong argument
// types and counts, indexes outside a collection and values out of range.
// And how the program finds Writer.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <com/sun/star/util/XCloseable.hpp>
#include <gtest/gtest.h>

#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "OfficeFixture.h"
#include "platform/FakePlatformServices.h"
#include "writer/WriterDetection.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

struct Answer {
    HRESULT hr = S_OK;
    Variant result;
};

// Looks `name` up and invokes it; a put passes DISPID_PROPERTYPUT.
Answer Call(const Variant& object, const char* name, std::uint16_t flags,
            std::vector<Variant> args = {}) {
    Answer answer;
    const DispatchPtr dispatch = object.pdispVal();
    const QString member = QString::fromLatin1(name);
    DISPID id = DISPID_UNKNOWN;
    answer.hr = dispatch->GetIDsOfNames(&member, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (FAILED(answer.hr)) return answer;
    std::reverse(args.begin(), args.end());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = args.data();
    params.cArgs = unsigned(args.size());
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO excepInfo;
    unsigned argErr = 0;
    answer.hr = dispatch->Invoke(id, LOCALE_SYSTEM_DEFAULT, flags, &params, &answer.result,
                                 &excepInfo, &argErr);
    return answer;
}

constexpr auto kGet = DISPATCH_PROPERTYGET;
constexpr auto kPut = DISPATCH_PROPERTYPUT;
constexpr auto kMethod = DISPATCH_METHOD;

Variant Text(const char* text) { return Variant::FromBstr(QString::fromUtf8(text)); }

// A fixed series of calls, good and wrong; what each answered.
std::vector<HRESULT> Answers(const ObjectFactory& factory) {
    DispatchPtr created;
    EXPECT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &created), S_OK);
    const Variant app = Variant::FromDispatch(created);
    std::vector<HRESULT> codes;
    const auto note = [&codes](const Answer& answer) {
        codes.push_back(answer.hr);
        return answer.result;
    };
    note(Call(app, "NoSuchMember", kGet));
    note(Call(app, "Visible", kPut, {Text("abc")}));
    note(Call(app, "Visible", kPut, {Variant::FromBool(true)}));
    note(Call(app, "Visible", kGet, {Variant::FromI4(1)}));
    const Variant documents = note(Call(app, "Documents", kGet));
    note(Call(documents, "Add", kMethod));
    note(Call(documents, "Item", kMethod));
    note(Call(documents, "Item", kMethod, {Variant::FromI4(2)}));
    note(Call(documents, "Item", kMethod, {Text("два")}));
    note(Call(documents, "Count", kGet));
    const Variant window = note(Call(app, "ActiveWindow", kGet));
    const Variant pane = note(Call(window, "ActivePane", kGet));
    const Variant view = note(Call(pane, "View", kGet));
    const Variant zoom = note(Call(view, "Zoom", kGet));
    note(Call(zoom, "Percentage", kPut, {Variant::FromI4(5)}));
    note(Call(zoom, "Percentage", kPut, {Variant::FromI4(100)}));
    note(Call(app, "WindowState", kPut, {Variant::FromI4(7)}));
    note(Call(app, "WindowState", kPut, {Variant::FromI4(0)}));
    const Variant selection = note(Call(app, "Selection", kGet));
    const Variant format = note(Call(selection, "ParagraphFormat", kGet));
    note(Call(format, "LineSpacing", kPut, {Variant::FromI4(-1)}));
    note(Call(format, "LineSpacing", kPut, {Variant::FromI4(11)}));
    const Variant document = note(Call(documents, "Item", kMethod, {Variant::FromI4(1)}));
    note(Call(document, "Activate", kMethod, {Variant::FromI4(1)}));
    const Variant paragraphs = note(Call(document, "Paragraphs", kGet));
    note(Call(paragraphs, "Item", kMethod, {Variant::FromI4(0)}));
    note(Call(paragraphs, "Add", kMethod));
    const Variant paragraph = note(Call(paragraphs, "Item", kMethod, {Variant::FromI4(2)}));
    note(Call(paragraph, "Alignment", kPut, {Variant::FromI4(9)}));
    note(Call(paragraph, "Alignment", kPut, {Text("center")}));
    const Variant range = note(Call(paragraph, "Range", kGet));
    note(Call(range, "Text", kPut, {Text("строка")}));
    const Variant font = note(Call(range, "Font", kGet));
    note(Call(font, "Size", kPut, {Variant::FromI4(0)}));
    note(Call(font, "Bold", kPut, {Text("maybe")}));
    note(Call(font, "Superscript", kPut, {Variant::FromBool(false)}));
    return codes;
}

TEST(WriterDispatchTest, AnswersEveryCallAsTheBuiltInServerDoes) {
    QTemporaryDir folder;
    FakePlatformServices platform;
    ObjectFactory builtIn;
    RegisterDocumentServer(builtIn, platform);
    const std::vector<HRESULT> expected = Answers(builtIn);
    // A window's menus are top-level widgets too and go with it: pick the
    // windows out first.
    std::vector<QPointer<DocumentWindow>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<DocumentWindow*>(widget)) windows.emplace_back(window);
    for (const QPointer<DocumentWindow>& window : windows) {
        window->Document()->setModified(false);
        delete window.data();
    }
    for (const HRESULT code : {DISP_E_UNKNOWNNAME, DISP_E_TYPEMISMATCH, DISP_E_BADPARAMCOUNT,
                               DISP_E_BADINDEX, DISP_E_EXCEPTION})
        EXPECT_NE(std::find(expected.begin(), expected.end(), code), expected.end()) << code;

    const std::vector<Model> before = OfficeEnvironment::Documents();
    EXPECT_EQ(Answers(OfficeEnvironment::Factory()), expected);
    for (const Model& document : NewDocuments(before, OfficeEnvironment::Documents()))
        OfficeEnvironment::Run([document] {
            uno::Reference<css::util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
        });
}

// A folder on the PATH with `soffice` in it (a link into `installation`).
void PlaceOffice(const QString& folder, const QString& installation, bool writer) {
    QDir().mkpath(installation);
    QFile program(QDir(installation).filePath(QStringLiteral("soffice")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    if (writer) {
        QFile library(QDir(installation).filePath(QStringLiteral("libswlo.so")));
        ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    }
    QDir().mkpath(folder);
    ASSERT_TRUE(QFile::link(program.fileName(), QDir(folder).filePath(QStringLiteral("soffice"))));
}

TEST(WriterDetectionTest, AnSofficeOnThePathWhoseInstallationHoldsWriter) {
    QTemporaryDir root;
    const QString withWriter = root.filePath(QStringLiteral("bin-writer"));
    const QString withoutWriter = root.filePath(QStringLiteral("bin-calc"));
    PlaceOffice(withWriter, root.filePath(QStringLiteral("office/program")), true);
    PlaceOffice(withoutWriter, root.filePath(QStringLiteral("calc-only/program")), false);
    const QString empty = root.filePath(QStringLiteral("empty"));
    QDir().mkpath(empty);

    EXPECT_EQ(FindWriterOffice(QString()), QString());
    EXPECT_EQ(FindWriterOffice(empty), QString());
    EXPECT_EQ(FindWriterOffice(withoutWriter), QString());
    const QString found = QDir(withWriter).filePath(QStringLiteral("soffice"));
    EXPECT_EQ(FindWriterOffice(empty + ":" + withoutWriter + ":" + withWriter), found);
    EXPECT_EQ(FindWriterOffice(withWriter + "::" + empty), found);
    // The one the machine has.
    EXPECT_EQ(FindWriterOffice(QStringLiteral("/nonexistent:/usr/bin")),
              QStringLiteral("/usr/bin/soffice"));
}

}  // namespace
}  // namespace velars::test
