#include "report/ReportWriter.h"

#include "automation/Automation.h"
#include "report/WindowGeometry.h"

namespace velars {

namespace {

const QString kWordProgId = QStringLiteral("Word.Application");

void ShowStartError(PlatformServices& platform, const QString& text) {
    platform.MessageBox(text, QStringLiteral("Ошибка"), MB_OK, BoxOwner::None);
}

}  // namespace

bool StartWord(WordConnection& word, const ObjectFactory& factory, PlatformServices& platform,
               QSize mainWindowOuterSize) {
    // 1. A new application object every time; any failure here is reported
    //    in a box of its own and leaves every field as it was.
    //    A server that cannot start for want of a part says which, on a
    //    line of its own under the box's text.
    DispatchPtr application;
    QString missing;
    HRESULT created = E_FAIL;
    try {
        created = factory.CreateInstance(kWordProgId, &application, &missing);
    } catch (...) {
        created = E_FAIL;
    }
    if (FAILED(created) || !application) {
        QString text = QStringLiteral("Ошибка при открытии сервера Word");
        if (!missing.isEmpty()) text += QLatin1Char('\n') + missing;
        ShowStartError(platform, text);
        return false;
    }
    word.vWordApp = Variant::FromDispatch(std::move(application));

    // 2-4. Visible, the documents collection and one new document.
    AutoPut(word.vWordApp, "Visible", true);
    word.vDocuments = AutoGet(word.vWordApp, "Documents");
    AutoProc(word.vDocuments, "Add");

    // 5. A new application holds exactly the document just added.
    {
        const Variant count = AutoGet(word.vDocuments, "Count");
        if (!VariantEquals(count, 1)) {
            ShowStartError(platform, QStringLiteral("Ошибка при создании документов"));
            return false;
        }
    }

    // 6-7. The document, activated.
    word.vDocument = AutoFunc(word.vDocuments, "Item", std::int32_t{1});
    AutoProc(word.vDocument, "Activate");

    // 8. Zoom 100 %, before the window is placed.
    {
        const Variant window = AutoGet(word.vWordApp, "ActiveWindow");
        const Variant pane = AutoGet(window, "ActivePane");
        const Variant view = AutoGet(pane, "View");
        const Variant zoom = AutoGet(view, "Zoom");
        AutoPut(zoom, "Percentage", std::int32_t{100});
    }

    // 9-11. Normal window state, then the placement.
    const WordWindowPlacement placement = ComputeWordWindowPlacement(platform.Monitor0Size(),
                                                                     mainWindowOuterSize);
    AutoPut(word.vWordApp, "WindowState", std::int32_t{0});
    AutoPut(word.vWordApp, "Left", placement.left);
    AutoPut(word.vWordApp, "Top", placement.top);
    AutoPut(word.vWordApp, "Width", placement.width);
    AutoPut(word.vWordApp, "Height", placement.height);

    // 12. Line spacing at the insertion point of the empty document.
    {
        const Variant selection = AutoGet(word.vWordApp, "Selection");
        const Variant format = AutoGet(selection, "ParagraphFormat");
        AutoPut(format, "LineSpacing", std::int32_t{11});
    }

    // 13.
    word.nParagraph = 1;
    return true;
}

void AddParagraph(WordConnection& word, PlatformServices& platform, const QString& text,
                  std::int8_t size, bool bold, std::int8_t alignment) {
    word.vParagraphs = AutoGet(word.vDocument, "Paragraphs");
    AutoProc(word.vParagraphs, "Add");
    word.vParagraph = AutoFunc(word.vParagraphs, "Item", word.nParagraph);

    // The text reaches Word through the narrow code page.
    const QByteArray narrow = platform.ToNarrow(text);
    {
        const Variant range = AutoGet(word.vParagraph, "Range");
        AutoPut(range, "Text", narrow, platform);
    }
    {
        const Variant range = AutoGet(word.vParagraph, "Range");
        const Variant font = AutoGet(range, "Font");
        AutoPut(font, "Size", size);
    }
    {
        const Variant range = AutoGet(word.vParagraph, "Range");
        const Variant font = AutoGet(range, "Font");
        AutoPut(font, "Bold", bold);
    }
    AutoPut(word.vParagraph, "Alignment", alignment);
    {
        const Variant range = AutoGet(word.vParagraph, "Range");
        const Variant font = AutoGet(range, "Font");
        AutoPut(font, "Superscript", false);
    }

    word.nParagraph = static_cast<std::uint8_t>(word.nParagraph + 1);
}

}  // namespace velars
