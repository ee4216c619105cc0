// The report as the calculator writes it ends up in the document: texts,
// sizes, weights, alignments, the window's placement and zoom; the paragraph
// objects keep pointing at their paragraphs.

#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "automation/Automation.h"
#include "docserver/PageView.h"
#include "docserver/ParagraphEditing.h"
#include "ServerFixture.h"

namespace velars::test {
namespace {

using ReportDocumentTest = ServerFixture;

TEST_F(ReportDocumentTest, ReportParagraphsCarryTheirTextAndFormatting) {
    StartWord();
    const std::vector<ReportLine> report = SampleReport();
    WriteReport(report);

    DocumentWindow* window = OnlyWindow();
    ASSERT_NE(window, nullptr);
    const QTextDocument* document = window->Document();
    // A new document holds one empty paragraph and every line appends one:
    // the report fills paragraphs 1..N and one empty paragraph follows.
    ASSERT_EQ(document->blockCount(), int(report.size()) + 1);
    for (std::size_t i = 0; i < report.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "paragraph " << i + 1);
        const QTextBlock block = document->findBlockByNumber(int(i));
        const QTextCharFormat format = ShownFormat(block);
        EXPECT_EQ(block.text(), report[i].text);
        EXPECT_EQ(format.fontPointSize(), report[i].size);
        EXPECT_EQ(format.fontWeight() == QFont::Bold, report[i].bold);
        EXPECT_NE(format.verticalAlignment(), QTextCharFormat::AlignSuperScript);
        EXPECT_EQ(AlignmentCode(block.blockFormat().alignment()), report[i].alignment);
        EXPECT_DOUBLE_EQ(LineSpacingPoints(block.blockFormat()), 11);
    }
    EXPECT_TRUE(document->lastBlock().text().isEmpty());
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(word.nParagraph, report.size() + 1);
}

TEST_F(ReportDocumentTest, WindowIsShownPlacedAndZoomedAsStartWordAsks) {
    platform.monitorSize = QSize(1920, 1080);
    StartWord();

    DocumentWindow* window = OnlyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->parent());
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(window->frameGeometry(), QRect(305, 46, 700, 706));
    EXPECT_EQ(window->View()->ZoomPercent(), 100);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Отчет ")));

    // The application reads back what was put, in the types automation uses.
    const Variant left = AutoGet(word.vWordApp, "Left");
    EXPECT_EQ(left.vt(), VT_I4);
    EXPECT_EQ(left.lVal(), 305);
    EXPECT_EQ(AutoGet(word.vWordApp, "Height").lVal(), 706);
    const Variant visible = AutoGet(word.vWordApp, "Visible");
    EXPECT_EQ(visible.vt(), VT_BOOL);
    EXPECT_EQ(visible.boolVal(), VARIANT_TRUE);
    const Variant count = AutoGet(word.vDocuments, "Count");
    EXPECT_EQ(count.vt(), VT_I4);
    EXPECT_EQ(count.lVal(), 1);
}

TEST_F(ReportDocumentTest, WindowStateAndZoomFollowThePuts) {
    StartWord();
    DocumentWindow* window = OnlyWindow();
    ASSERT_NE(window, nullptr);

    AutoPut(word.vWordApp, "WindowState", std::int32_t{1});
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(AutoGet(word.vWordApp, "WindowState").lVal(), 1);
    AutoPut(word.vWordApp, "WindowState", std::int32_t{2});
    EXPECT_TRUE(window->isMinimized());
    AutoPut(word.vWordApp, "WindowState", std::int32_t{0});
    EXPECT_FALSE(window->isMinimized() || window->isMaximized());

    const Variant zoom = AutoGet(
        AutoGet(AutoGet(AutoGet(word.vWordApp, "ActiveWindow"), "ActivePane"), "View"), "Zoom");
    AutoPut(zoom, "Percentage", std::int32_t{150});
    EXPECT_EQ(window->View()->ZoomPercent(), 150);
    EXPECT_EQ(AutoGet(zoom, "Percentage").lVal(), 150);
}

TEST_F(ReportDocumentTest, ReadBackThroughAutomation) {
    StartWord();
    AddParagraph({QStringLiteral("Результаты расчета:"), 12, true, 0});
    AddParagraph({QStringLiteral("Сноска"), 14, false, 1});

    const Variant first = AutoFunc(AutoGet(word.vDocument, "Paragraphs"), "Item", std::uint8_t{1});
    const Variant text = AutoGet(AutoGet(first, "Range"), "Text");
    EXPECT_EQ(text.vt(), VT_BSTR);
    EXPECT_EQ(text.bstrVal(), QStringLiteral("Результаты расчета:"));
    const Variant font = AutoGet(AutoGet(first, "Range"), "Font");
    EXPECT_EQ(AutoGet(font, "Size").dblVal(), 12);
    EXPECT_EQ(AutoGet(font, "Bold").boolVal(), VARIANT_TRUE);
    EXPECT_EQ(AutoGet(font, "Superscript").boolVal(), VARIANT_FALSE);
    EXPECT_EQ(AutoGet(first, "Alignment").lVal(), 0);
    EXPECT_EQ(AutoGet(word.vParagraph, "Alignment").lVal(), 1);
    EXPECT_EQ(AutoGet(AutoGet(word.vDocument, "Paragraphs"), "Count").lVal(), 3);

    const Variant spacing = AutoGet(AutoGet(AutoGet(word.vWordApp, "Selection"), "ParagraphFormat"),
                                    "LineSpacing");
    EXPECT_DOUBLE_EQ(spacing.dblVal(), 11);
}

TEST_F(ReportDocumentTest, ParagraphObjectStaysOnItsParagraphWhenOneIsAppended) {
    StartWord();
    // The last, empty paragraph, taken before another one is appended.
    const Variant paragraphs = AutoGet(word.vDocument, "Paragraphs");
    const Variant last = AutoFunc(paragraphs, "Item", std::int32_t{1});
    AutoProc(paragraphs, "Add");
    AutoPut(AutoGet(last, "Range"), "Text", Bstr(QStringLiteral("первый")));

    const QTextDocument* document = OnlyWindow()->Document();
    ASSERT_EQ(document->blockCount(), 2);
    EXPECT_EQ(document->firstBlock().text(), QStringLiteral("первый"));
    EXPECT_TRUE(document->lastBlock().text().isEmpty());
}

TEST_F(ReportDocumentTest, TextPutKeepsTheParagraphsAndReplacesTheOldText) {
    StartWord();
    AddParagraph({QStringLiteral("старый текст"), 12, false, 0});
    const Variant range = AutoGet(word.vParagraph, "Range");
    AutoPut(range, "Text", Bstr(QStringLiteral("строка 1\rстрока 2\r\nстрока 3")));
    const QTextDocument* document = OnlyWindow()->Document();
    EXPECT_EQ(document->blockCount(), 2);
    EXPECT_EQ(AutoGet(range, "Text").bstrVal(), QStringLiteral("строка 1\vстрока 2\vстрока 3"));
    // Replaced text keeps the paragraph's formatting.
    EXPECT_EQ(ShownFormat(document->firstBlock()).fontPointSize(), 12);

    AutoPut(range, "Text", Bstr(std::nullopt));
    EXPECT_TRUE(document->firstBlock().text().isEmpty());
    EXPECT_EQ(document->blockCount(), 2);
}

TEST_F(ReportDocumentTest, ItemAcceptsEveryIntegerType) {
    StartWord();
    WriteReport(SampleReport());
    const Variant paragraphs = AutoGet(word.vDocument, "Paragraphs");
    for (const Variant& index :
         {Variant::FromUI1(2), Variant::FromI1(2), Variant::FromI2(2), Variant::FromI4(2),
          Variant::FromR8(2.0), Variant::FromBstr(QStringLiteral("2"))}) {
        SCOPED_TRACE(testing::Message() << "VARTYPE " << index.vt());
        const CallAnswer item = Call(paragraphs, QStringLiteral("Item"), DISPATCH_METHOD, {index});
        ASSERT_EQ(item.hr, S_OK);
        ASSERT_EQ(item.result.vt(), VT_DISPATCH);
        EXPECT_EQ(AutoGet(AutoGet(item.result, "Range"), "Text").bstrVal(), SampleReport()[1].text);
    }
}

TEST_F(ReportDocumentTest, BoldTakesTruthValuesAndIntegers) {
    StartWord();
    AddParagraph({QStringLiteral("текст"), 12, false, 0});
    const Variant font = AutoGet(AutoGet(word.vParagraph, "Range"), "Font");
    const struct {
        Variant value;
        bool bold;
    } cases[] = {
        {Variant::FromBool(true), true}, {Variant::FromI4(0), false},
        {Variant::FromI4(2), true},      {Variant::FromI1(0), false},
        {Variant::FromI1(1), true},      {Variant::FromI2(0), false},
        {Variant::FromUI1(255), true},   {Variant::FromBool(false), false},
    };
    const QTextDocument* document = OnlyWindow()->Document();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "VARTYPE " << c.value.vt());
        ASSERT_EQ(Call(font, QStringLiteral("Bold"), DISPATCH_PROPERTYPUT, {c.value}).hr, S_OK);
        EXPECT_EQ(ShownFormat(document->firstBlock()).fontWeight() == QFont::Bold, c.bold);
    }
}

TEST_F(ReportDocumentTest, JustifiedAndRightAlignments) {
    StartWord();
    AddParagraph({QStringLiteral("текст"), 12, false, 0});
    const QTextDocument* document = OnlyWindow()->Document();
    AutoPut(word.vParagraph, "Alignment", std::int8_t{3});
    EXPECT_TRUE(document->firstBlock().blockFormat().alignment() & Qt::AlignJustify);
    AutoPut(word.vParagraph, "Alignment", std::int8_t{2});
    EXPECT_TRUE(document->firstBlock().blockFormat().alignment() & Qt::AlignRight);
    EXPECT_EQ(AutoGet(word.vParagraph, "Alignment").lVal(), 2);
}

TEST_F(ReportDocumentTest, SecondStartOpensASecondWindowAndLeavesTheFirst) {
    StartWord();
    AddParagraph({QStringLiteral("первый отчет"), 12, false, 0});
    StartWord();
    AddParagraph({QStringLiteral("второй отчет"), 12, false, 0});

    const auto windows = DocumentWindows();
    ASSERT_EQ(windows.size(), 2u);
    QStringList firstLines;
    for (DocumentWindow* window : windows) {
        EXPECT_TRUE(window->isVisible());
        firstLines << window->Document()->firstBlock().text();
    }
    firstLines.sort();
    EXPECT_EQ(firstLines,
              QStringList({QStringLiteral("второй отчет"), QStringLiteral("первый отчет")}));
}

TEST_F(ReportDocumentTest, UnshownWindowGoesWithTheLastObjectThatRefersToIt) {
    DispatchPtr created;
    ASSERT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &created), S_OK);
    Variant application = Variant::FromDispatch(created);
    created.reset();
    Variant documents = AutoGet(application, "Documents");
    AutoProc(documents, "Add");
    const auto windows = DocumentWindows();
    ASSERT_EQ(windows.size(), 1u);
    QPointer<DocumentWindow> window = windows.front();
    EXPECT_FALSE(window->isVisible());

    Variant document = AutoFunc(documents, "Item", std::int32_t{1});
    documents.Clear();
    application.Clear();
    EXPECT_FALSE(window.isNull());  // the document object still refers to it
    document.Clear();
    EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace velars::test
