// Writing one paragraph: the fifteen accesses, the values and the counter.

#include <gtest/gtest.h>

#include "automation/Automation.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportWriter.h"
#include "tests/support/RecordingWordServer.h"

namespace velars {
namespace {

using test::RecordingWordServer;

class AddParagraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        server.Register(factory);
        ASSERT_TRUE(StartWord(word, factory, platform, QSize(780, 560)));
        server.ClearCalls();
    }

    const test::FakeDocument& Document() const {
        return *server.Applications().back()->documents.at(0);
    }

    ObjectFactory factory;
    RecordingWordServer server;
    FakePlatformServices platform;
    WordConnection word;
};

TEST_F(AddParagraphTest, AHeaderLineMakesFifteenAccessesInOrder) {
    AddParagraph(word, platform, QStringLiteral("Расчет № 7"), 14, true, 1);

    const QString doc = QStringLiteral("Application.Documents.Item(1)");
    const QString par = doc + ".Paragraphs.Item(1)";
    EXPECT_EQ(server.Described(), (QStringList{
                                      doc + ".Paragraphs get",
                                      doc + ".Paragraphs.Add method",
                                      doc + ".Paragraphs.Item method VT_UI1 1",
                                      par + ".Range get",
                                      par + ".Range.Text put VT_BSTR \"Расчет № 7\"",
                                      par + ".Range get",
                                      par + ".Range.Font get",
                                      par + ".Range.Font.Size put VT_I1 14",
                                      par + ".Range get",
                                      par + ".Range.Font get",
                                      par + ".Range.Font.Bold put VT_BOOL -1",
                                      par + ".Alignment put VT_I1 1",
                                      par + ".Range get",
                                      par + ".Range.Font get",
                                      par + ".Range.Font.Superscript put VT_BOOL 0",
                                  }));
    for (const test::RecordedCall& call : server.Calls()) {
        SCOPED_TRACE(call.Describe().toStdString());
        EXPECT_EQ(call.lookupLocale, 0x0800u);
        EXPECT_EQ(call.namedArgs, call.kind == DISPATCH_PROPERTYPUT
                                      ? std::vector<DISPID>{DISPID_PROPERTYPUT}
                                      : std::vector<DISPID>{});
    }
    EXPECT_EQ(word.nParagraph, 2);
    EXPECT_EQ(word.vParagraphs.vt(), VT_DISPATCH);
    EXPECT_EQ(word.vParagraph.vt(), VT_DISPATCH);

    const test::FakeParagraph& written = Document().paragraphs.at(0);
    EXPECT_EQ(written.text, "Расчет № 7");
    EXPECT_EQ(written.size, 14);
    EXPECT_TRUE(written.bold);
    EXPECT_EQ(written.alignment, 1);
    EXPECT_FALSE(written.superscript);

    // Range and Font are released with their step; the kept fields remain.
    EXPECT_FALSE(server.LiveObjects().join(' ').contains("Range"));
}

TEST_F(AddParagraphTest, EachCallAddsThenFillsTheNextParagraph) {
    AddParagraph(word, platform, QStringLiteral("первая"), 12, true, 0);
    AddParagraph(word, platform, QString(), 12, false, 0);
    AddParagraph(word, platform, QStringLiteral("третья"), 12, false, 0);

    EXPECT_EQ(word.nParagraph, 4);
    QStringList items;
    for (const QString& line : server.Described())
        if (line.contains(".Paragraphs.Item method")) items << line.section(' ', -1);
    EXPECT_EQ(items, (QStringList{"1", "2", "3"}));

    const auto& paragraphs = Document().paragraphs;
    ASSERT_EQ(paragraphs.size(), 4u);  // Word's own first paragraph plus three added
    EXPECT_EQ(paragraphs[0].text, "первая");
    EXPECT_TRUE(paragraphs[0].bold);
    // The empty text went through all the steps, as a null BSTR.
    EXPECT_TRUE(paragraphs[1].textSet);
    EXPECT_TRUE(paragraphs[1].textWasNull);
    EXPECT_EQ(paragraphs[1].size, 12);
    EXPECT_FALSE(paragraphs[1].superscript);
    EXPECT_EQ(paragraphs[2].text, "третья");
    EXPECT_FALSE(paragraphs[2].bold);
    EXPECT_FALSE(paragraphs[3].textSet);
    EXPECT_EQ(server.Described().filter("Text put VT_BSTR null").size(), 1);
}

TEST_F(AddParagraphTest, TheTextPassesThroughTheNarrowCodePage) {
    platform.SetNarrowRepertoire(FakePlatformServices::Cp1251Repertoire());
    const QString text = QStringLiteral("Δp = 5 Па");
    AddParagraph(word, platform, text, 12, false, 0);
    EXPECT_EQ(Document().paragraphs.at(0).text, "?p = 5 Па");
    EXPECT_EQ(text, "Δp = 5 Па");  // the caller's string is not changed
}

TEST_F(AddParagraphTest, TheParagraphIndexWrapsAfter255) {
    for (int i = 0; i < 255; ++i) AddParagraph(word, platform, QStringLiteral("x"), 12, false, 0);
    EXPECT_EQ(word.nParagraph, 0);
    // Paragraph 0 does not exist: Word refuses the index.
    try {
        AddParagraph(word, platform, QStringLiteral("x"), 12, false, 0);
        FAIL() << "no error";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.ErrorCode(), DISP_E_BADINDEX);
        EXPECT_EQ(e.Message(), "Invalid index");
    }
}

TEST_F(AddParagraphTest, AFailureStopsTheParagraphAndLeavesTheIndexAlone) {
    AddParagraph(word, platform, QStringLiteral("a"), 12, false, 0);
    server.ClearCalls();
    server.FailAtCall(server.Accesses() + 11, DISP_E_TYPEMISMATCH);  // the Bold put
    EXPECT_THROW(AddParagraph(word, platform, QStringLiteral("b"), 12, true, 0), EOleSysError);
    EXPECT_EQ(word.nParagraph, 2);
    EXPECT_EQ(server.Calls().size(), 11u);
    EXPECT_TRUE(server.Calls().back().Describe().endsWith("Bold put VT_BOOL -1"));
    const test::FakeParagraph& half = Document().paragraphs.at(1);
    EXPECT_EQ(half.text, "b");
    EXPECT_EQ(half.size, 12);
    EXPECT_FALSE(half.bold);
}

}  // namespace
}  // namespace velars
