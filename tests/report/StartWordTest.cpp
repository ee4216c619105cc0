// Starting Word: the call sequence, the window placement and the two
// failures StartWord reports itself.

#include <gtest/gtest.h>

#include "automation/Automation.h"
#include "automation/ModuleServer.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportWriter.h"
#include "tests/support/RecordingWordServer.h"

namespace velars {
namespace {

using test::CreationMode;
using test::RecordingWordServer;

class StartWordTest : public ::testing::Test {
protected:
    StartWordTest() { server.Register(factory); }

    bool Start(QSize mainWindow = QSize(780, 560)) {
        return StartWord(word, factory, platform, mainWindow);
    }

    ObjectFactory factory;
    RecordingWordServer server;
    FakePlatformServices platform;
    WordConnection word;
};

TEST_F(StartWordTest, MakesTheNineteenAccessesInOrder) {
    platform.monitorSize = QSize(1920, 1080);
    ASSERT_TRUE(Start());

    EXPECT_EQ(server.Described(),
              (QStringList{
                  "Application.Visible put VT_BOOL -1",
                  "Application.Documents get",
                  "Application.Documents.Add method",
                  "Application.Documents.Count get",
                  "Application.Documents.Item method VT_I4 1",
                  "Application.Documents.Item(1).Activate method",
                  "Application.ActiveWindow get",
                  "Application.ActiveWindow.ActivePane get",
                  "Application.ActiveWindow.ActivePane.View get",
                  "Application.ActiveWindow.ActivePane.View.Zoom get",
                  "Application.ActiveWindow.ActivePane.View.Zoom.Percentage put VT_I4 100",
                  "Application.WindowState put VT_I4 0",
                  "Application.Left put VT_I4 305",
                  "Application.Top put VT_I4 46",
                  "Application.Width put VT_I4 700",
                  "Application.Height put VT_I4 706",
                  "Application.Selection get",
                  "Application.Selection.ParagraphFormat get",
                  "Application.Selection.ParagraphFormat.LineSpacing put VT_I4 11",
              }));
    for (const test::RecordedCall& call : server.Calls()) {
        SCOPED_TRACE(call.Describe().toStdString());
        EXPECT_TRUE(call.lookedUp);
        EXPECT_EQ(call.lookupLocale, 0x0800u);
        EXPECT_EQ(call.invokeLocale, 0x0800u);
        EXPECT_TRUE(call.cleanEntry);
        const bool put = call.kind == DISPATCH_PROPERTYPUT;
        EXPECT_EQ(call.namedArgs,
                  put ? std::vector<DISPID>{DISPID_PROPERTYPUT} : std::vector<DISPID>{});
        // Results are asked for by the gets and by Item only.
        EXPECT_EQ(call.resultRequested, call.kind == DISPATCH_PROPERTYGET || call.member == "Item");
    }

    EXPECT_EQ(word.vWordApp.vt(), VT_DISPATCH);
    EXPECT_EQ(word.vDocuments.vt(), VT_DISPATCH);
    EXPECT_EQ(word.vDocument.vt(), VT_DISPATCH);
    EXPECT_EQ(word.nParagraph, 1);
    EXPECT_TRUE(platform.messageBoxes.empty());

    const auto& app = *server.Applications().at(0);
    EXPECT_TRUE(app.visible);
    ASSERT_EQ(app.documents.size(), 1u);
    EXPECT_TRUE(app.documents[0]->active);
    EXPECT_EQ(app.zoom, 100);
    EXPECT_EQ(app.windowState, 0);
    EXPECT_EQ(app.lineSpacing, 11);

    // Every intermediate object is released at once; only the kept fields
    // hold objects afterwards.
    QStringList live = server.LiveObjects();
    live.sort();
    EXPECT_EQ(live, (QStringList{"Application", "Application.Documents",
                                 "Application.Documents.Item(1)"}));
}

TEST_F(StartWordTest, PlacesWordsWindowFromMonitorZeroAndTheMainWindow) {
    struct Case {
        QSize monitor;
        QSize mainWindow;
        int left;
        int top;
    };
    const Case cases[] = {
        {{1920, 1080}, {780, 560}, 305, 46},
        {{1366, 768}, {780, 560}, 166, 7},      // 166.5 and 7.75 truncated
        {{640, 480}, {600, 400}, -15, -28},     // negative quotients truncate toward zero
        {{698, 700}, {600, 400}, 0, 0},         // -0.5 and -0.75 give 0, not -1
        {{1920, 1080}, {780, 1200}, 305, 0},    // taller than the monitor
        {{1920, 1080}, {2000, 560}, 0, 46},     // wider than the monitor
        {{1920, 1080}, {1920, 1080}, 305, 46},  // as large as the monitor is not larger
        {{1366, 768}, {2000, 1000}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.monitor.width() << "x" << c.monitor.height() << " main "
                     << c.mainWindow.width() << "x" << c.mainWindow.height());
        platform.monitorSize = c.monitor;
        ASSERT_TRUE(Start(c.mainWindow));
        const auto& app = *server.Applications().back();
        EXPECT_EQ(app.left, c.left);
        EXPECT_EQ(app.top, c.top);
        EXPECT_EQ(app.width, 700);
        EXPECT_EQ(app.height, 706);
    }
}

TEST_F(StartWordTest, AServerThatCannotBeCreatedGivesOneBoxAndNothingElse) {
    // Fields of an earlier report, which a failed start must leave alone.
    auto previous = std::make_shared<RecordingWordServer>();
    ObjectFactory previousFactory;
    previous->Register(previousFactory);
    ASSERT_TRUE(StartWord(word, previousFactory, platform, QSize(780, 560)));
    word.nParagraph = 9;
    const Variant app = word.vWordApp, docs = word.vDocuments, doc = word.vDocument;

    struct Case {
        const char* name;
        bool registered;
        CreationMode mode;
    };
    const Case cases[] = {
        {"ProgID unknown", false, CreationMode::Succeed},
        {"server throws", true, CreationMode::Throw},
        {"server returns nothing", true, CreationMode::ReturnNull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ObjectFactory failing;
        RecordingWordServer server2;
        if (c.registered) server2.Register(failing);
        server2.SetCreationMode(c.mode);
        platform.ClearCalls();

        EXPECT_FALSE(StartWord(word, failing, platform, QSize(780, 560)));

        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text, "Ошибка при открытии сервера Word");
        EXPECT_EQ(platform.messageBoxes[0].caption, "Ошибка");
        EXPECT_EQ(platform.messageBoxes[0].style, unsigned(MB_OK));
        EXPECT_EQ(platform.messageBoxes[0].owner, BoxOwner::None);
        EXPECT_TRUE(server2.Calls().empty());
        EXPECT_EQ(server2.Creations(), 0);
        EXPECT_EQ(word.vWordApp.pdispVal(), app.pdispVal());
        EXPECT_EQ(word.vDocuments.pdispVal(), docs.pdispVal());
        EXPECT_EQ(word.vDocument.pdispVal(), doc.pdispVal());
        EXPECT_EQ(word.nParagraph, 9);
    }
}

TEST_F(StartWordTest, ACountOtherThanOneStopsAfterTheCountWithTheSecondBox) {
    const Variant answers[] = {
        Variant::FromI4(2),
        Variant::FromI4(0),
        Variant(),
        Variant::Null(),
        Variant::FromBstr(QStringLiteral("2")),
        Variant::FromBool(true),
    };
    for (const Variant& answer : answers) {
        SCOPED_TRACE(test::DescribeVariant(answer).toStdString());
        WordConnection fresh;
        RecordingWordServer server2;
        ObjectFactory factory2;
        server2.Register(factory2);
        server2.AnswerCountWith(answer);
        platform.ClearCalls();

        EXPECT_FALSE(StartWord(fresh, factory2, platform, QSize(780, 560)));

        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text, "Ошибка при создании документов");
        EXPECT_EQ(platform.messageBoxes[0].caption, "Ошибка");
        EXPECT_EQ(platform.messageBoxes[0].style, unsigned(MB_OK));
        EXPECT_EQ(platform.messageBoxes[0].owner, BoxOwner::None);
        EXPECT_EQ(server2.Described().size(), 4);
        EXPECT_EQ(server2.Described().last(), "Application.Documents.Count get");
        EXPECT_EQ(fresh.vWordApp.vt(), VT_DISPATCH);
        EXPECT_EQ(fresh.vDocuments.vt(), VT_DISPATCH);
        EXPECT_TRUE(fresh.vDocument.IsEmpty());
        EXPECT_EQ(fresh.nParagraph, 0);
    }
}

TEST_F(StartWordTest, ACountOfOneInAnyNumericTypeIsAccepted) {
    for (const Variant& answer : {Variant::FromI2(1), Variant::FromUI1(1), Variant::FromR8(1.0)}) {
        server.AnswerCountWith(answer);
        EXPECT_TRUE(Start()) << answer.vt();
    }
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(StartWordTest, EveryStartMakesANewApplicationAndReleasesTheOldOne) {
    ASSERT_TRUE(Start());
    word.nParagraph = 30;
    ASSERT_TRUE(Start());
    EXPECT_EQ(server.Creations(), 2);
    EXPECT_EQ(word.nParagraph, 1);
    // The first application keeps its document (Word is never told to
    // close), but the window no longer holds any of its objects.
    EXPECT_EQ(server.Applications()[0]->documents.size(), 1u);
    EXPECT_EQ(server.LiveObjects().size(), 3);
    for (const test::RecordedCall& call : server.Calls()) {
        if (call.application == 1) continue;
        EXPECT_EQ(call.application, 2);
    }
    EXPECT_EQ(server.Calls().size(), 38u);
}

TEST_F(StartWordTest, AFailingCallAfterTheStartRaisesEOleSysError) {
    server.FailAtCall(12, RPC_E_DISCONNECTED);  // WindowState
    try {
        Start();
        FAIL() << "no error";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), RPC_E_DISCONNECTED);
        EXPECT_EQ(e.Message(), "The object invoked has disconnected from its clients");
    }
    EXPECT_EQ(server.Calls().size(), 12u);
    EXPECT_EQ(word.vDocument.vt(), VT_DISPATCH);  // stored before the failure
    EXPECT_EQ(word.nParagraph, 0);
    EXPECT_TRUE(platform.messageBoxes.empty());
}

// A server in a module of the program: the recording server, registered by
// a module entry of the test's own.
RecordingWordServer* serverInModule = nullptr;
QString moduleArgument;

void TestServerModule(ObjectFactory& factory, PlatformServices&, const QString& argument) {
    serverInModule->Register(factory);
    moduleArgument = argument;
}

TEST_F(StartWordTest, AServerModuleIsLoadedOnTheFirstStartAndServesEveryStart) {
    RecordingWordServer inModule;
    serverInModule = &inModule;
    ObjectFactory modular;
    platform.modules[QStringLiteral("server.so")] =
        reinterpret_cast<QFunctionPointer>(&TestServerModule);
    RegisterModuleServer(modular, platform, QStringLiteral("Word.Application"),
                         QStringLiteral("server.so"), QStringLiteral("office"));
    EXPECT_TRUE(platform.modulesLoaded.empty());

    ASSERT_TRUE(StartWord(word, modular, platform, QSize(780, 560)));
    ASSERT_TRUE(StartWord(word, modular, platform, QSize(780, 560)));
    EXPECT_EQ(platform.modulesLoaded, std::vector<QString>{QStringLiteral("server.so")});
    EXPECT_EQ(moduleArgument, QStringLiteral("office"));
    EXPECT_EQ(inModule.Creations(), 2);
    EXPECT_EQ(word.nParagraph, 1);
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(StartWordTest, AServerModuleThatCannotBeLoadedSaysWhatIsMissingInTheStartBox) {
    ObjectFactory modular;
    RegisterModuleServer(modular, platform, QStringLiteral("Word.Application"),
                         QStringLiteral("server.so"));
    platform.moduleMissing = QStringLiteral("Нет модуля программы server.so");

    EXPECT_FALSE(StartWord(word, modular, platform, QSize(780, 560)));
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].text,
              "Ошибка при открытии сервера Word\nНет модуля программы server.so");
    EXPECT_EQ(platform.messageBoxes[0].caption, "Ошибка");
    EXPECT_EQ(platform.messageBoxes[0].style, unsigned(MB_OK));
    EXPECT_EQ(platform.messageBoxes[0].owner, BoxOwner::None);
    EXPECT_TRUE(word.vWordApp.IsEmpty());
    EXPECT_EQ(word.nParagraph, 0);

    // Once the module is there, the next start loads it.
    RecordingWordServer inModule;
    serverInModule = &inModule;
    platform.modules[QStringLiteral("server.so")] =
        reinterpret_cast<QFunctionPointer>(&TestServerModule);
    EXPECT_TRUE(StartWord(word, modular, platform, QSize(780, 560)));
    EXPECT_EQ(platform.modulesLoaded.size(), 2u);
    EXPECT_EQ(platform.messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace velars
