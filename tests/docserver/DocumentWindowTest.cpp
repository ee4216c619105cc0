// The report window: saving as ODT, PDF and DOCX, the question before closing a
// document with unsaved changes, automation calls after the user has closed
// the window, and the window outliving the calculator's window.

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

#include "automation/Automation.h"
#include "ServerFixture.h"
#include "ZipArchive.h"

namespace velars::test {
namespace {

const QString kPdfFilter = QStringLiteral("Документ PDF (*.pdf)");
const QString kDocxFilter = QStringLiteral("Документ Word (*.docx)");
constexpr unsigned kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;

// The paragraphs of an ODT file's content.xml, as plain text.
std::optional<QStringList> OdtParagraphs(const QString& path, QByteArray* contentXml = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto entries = ReadZip(file.readAll());
    if (!entries) return std::nullopt;
    for (const ZipEntry& entry : *entries) {
        if (entry.name != QLatin1String("content.xml")) continue;
        if (contentXml) *contentXml = entry.data;
        QStringList paragraphs;
        QXmlStreamReader xml(entry.data);
        int depth = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("p")) {
                if (depth++ == 0) paragraphs << QString();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("p")) {
                --depth;
            } else if (depth > 0 && xml.isCharacters()) {
                paragraphs.last() += xml.text();
            } else if (depth > 0 && xml.isStartElement() && xml.name() == QLatin1String("s")) {
                const int count = xml.attributes().value(QLatin1String("text:c")).toInt();
                paragraphs.last() += QString(std::max(count, 1), QLatin1Char(' '));
            }
        }
        if (xml.hasError()) return std::nullopt;
        return paragraphs;
    }
    return std::nullopt;
}

class DocumentWindowTest : public ServerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        StartWord();
        WriteReport(SampleReport());
        window = OnlyWindow();
        ASSERT_NE(window, nullptr);
        platform.ClearCalls();
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    QPointer<DocumentWindow> window;
};

TEST_F(DocumentWindowTest, SaveAsOdtWritesTheReportAndCountsAsSaved) {
    const QString path = Path(QStringLiteral("отчет.odt"));
    platform.QueueSaveConfirm(path);
    ASSERT_TRUE(window->SaveAs());
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_TRUE(platform.saveDialogs[0].fileName.startsWith(QStringLiteral("Отчет ")));
    EXPECT_TRUE(platform.saveDialogs[0].filter.contains(QStringLiteral("*.odt")));
    EXPECT_TRUE(platform.saveDialogs[0].filter.contains(QStringLiteral("*.pdf")));
    EXPECT_TRUE(platform.saveDialogs[0].filter.contains(kDocxFilter));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto entries = ReadZip(file.readAll());
    ASSERT_TRUE(entries.has_value());
    ASSERT_FALSE(entries->empty());
    EXPECT_EQ(entries->front().name, QStringLiteral("mimetype"));
    EXPECT_EQ(entries->front().method, 0);
    EXPECT_EQ(entries->front().data, QByteArray("application/vnd.oasis.opendocument.text"));

    QByteArray content;
    const auto paragraphs = OdtParagraphs(path, &content);
    ASSERT_TRUE(paragraphs.has_value());
    QStringList expected;
    for (const ReportLine& line : SampleReport()) expected << line.text;
    expected << QString();  // the empty paragraph after the report
    EXPECT_EQ(*paragraphs, expected);
    EXPECT_TRUE(content.contains("fo:font-size=\"14pt\""));
    EXPECT_TRUE(content.contains("fo:font-weight=\"bold\""));
    EXPECT_TRUE(content.contains("fo:text-align=\"center\""));

    EXPECT_FALSE(window->Document()->isModified());
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("отчет.odt")));
    EXPECT_EQ(AutoGet(word.vDocument, "Saved").boolVal(), VARIANT_TRUE);
    // Saved: closing asks nothing.
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(DocumentWindowTest, TheSaveDialogStartsInTheDocumentsFolder) {
    platform.documentsFolder = QStringLiteral("/home/инженер/Документы");
    platform.QueueSaveCancel();
    EXPECT_FALSE(window->SaveAs());
    ASSERT_EQ(platform.saveDialogs.size(), 1u);
    EXPECT_EQ(platform.saveDialogs[0].fileName,
              QStringLiteral("/home/инженер/Документы/") + window->DocumentName());
    EXPECT_TRUE(window->DocumentName().startsWith(QStringLiteral("Отчет ")));
}

TEST_F(DocumentWindowTest, SaveAsPdfWritesAPdfAndLeavesTheChangesUnsaved) {
    // A name without extension takes the chosen filter's.
    platform.QueueSaveConfirm(Path(QStringLiteral("report")), kPdfFilter);
    ASSERT_TRUE(window->SaveAs());
    QFile file(Path(QStringLiteral("report.pdf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_GT(file.size(), 1000);
    EXPECT_TRUE(window->Document()->isModified());

    // The extension wins over the filter; the dialog opens with the last name.
    platform.QueueSaveConfirm(Path(QStringLiteral("second.pdf")));
    ASSERT_TRUE(window->SaveAs());
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("second.pdf"))));
    ASSERT_EQ(platform.saveDialogs.size(), 2u);
    EXPECT_EQ(platform.saveDialogs[1].fileName, Path(QStringLiteral("report")));
}

TEST_F(DocumentWindowTest, SaveAsDocxWritesAWordDocumentAndLeavesTheChangesUnsaved) {
    // A name without extension takes the chosen filter's.
    platform.QueueSaveConfirm(Path(QStringLiteral("отчет")), kDocxFilter);
    ASSERT_TRUE(window->SaveAs());
    QFile file(Path(QStringLiteral("отчет.docx")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto entries = ReadZip(file.readAll());
    ASSERT_TRUE(entries.has_value());
    std::map<QString, QByteArray> parts;
    for (const ZipEntry& entry : *entries) parts[entry.name] = entry.data;
    for (const char* name :
         {"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/_rels/document.xml.rels",
          "word/styles.xml", "docProps/core.xml"})
        EXPECT_EQ(parts.count(QString::fromLatin1(name)), 1u) << name;

    // The paragraphs' texts in order, the header's run bold and 14 pt, centred.
    QStringList texts;
    QXmlStreamReader xml(parts[QStringLiteral("word/document.xml")]);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("p"))
            texts << QString();
        else if (xml.isCharacters() && !texts.isEmpty())
            texts.last() += xml.text();
    }
    ASSERT_FALSE(xml.hasError());
    QStringList expected;
    for (const ReportLine& line : SampleReport()) expected << line.text;
    expected << QString();
    EXPECT_EQ(texts, expected);
    const QByteArray& body = parts[QStringLiteral("word/document.xml")];
    EXPECT_TRUE(body.contains("<w:jc w:val=\"center\"/>"));
    EXPECT_TRUE(body.contains("<w:b/><w:sz w:val=\"28\"/>"));
    // The document defaults: the document's font, 12 pt.
    EXPECT_TRUE(parts[QStringLiteral("word/styles.xml")].contains("w:ascii=\"Times New Roman\""));
    EXPECT_TRUE(parts[QStringLiteral("word/styles.xml")].contains("<w:sz w:val=\"24\"/>"));
    EXPECT_TRUE(parts[QStringLiteral("docProps/core.xml")].contains("dcterms:created"));
    // An export, as PDF: the changes stay unsaved.
    EXPECT_TRUE(window->Document()->isModified());
}

TEST_F(DocumentWindowTest, SaveIntoAMissingFolderReportsAndKeepsTheChanges) {
    for (const QString& name : {QStringLiteral("нет/отчет.odt"), QStringLiteral("нет/отчет.pdf"),
                                QStringLiteral("нет/отчет.docx")}) {
        SCOPED_TRACE(name.toStdString());
        platform.ClearCalls();
        platform.QueueSaveConfirm(Path(name));
        EXPECT_FALSE(window->SaveAs());
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].style, unsigned(MB_OK | MB_ICONERROR));
        EXPECT_TRUE(platform.messageBoxes[0].text.contains(QStringLiteral("отчет")));
        EXPECT_TRUE(window->Document()->isModified());
    }
    // A cancelled dialog writes nothing and says nothing.
    platform.ClearCalls();
    platform.QueueSaveCancel();
    EXPECT_FALSE(window->SaveAs());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(DocumentWindowTest, CloseWithUnsavedChangesAsks) {
    // Cancel: the window stays.
    platform.QueueMessageBoxResult(IDCANCEL);
    EXPECT_FALSE(window->close());
    RunDeferredDeletes();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(platform.messageBoxes.size(), 1u);
    EXPECT_EQ(platform.messageBoxes[0].style, kQuestion);
    EXPECT_TRUE(platform.messageBoxes[0].text.contains(window->DocumentName()));

    // Yes, then the save dialog is cancelled: the window stays.
    platform.QueueMessageBoxResult(IDYES);
    platform.QueueSaveCancel();
    EXPECT_FALSE(window->close());
    RunDeferredDeletes();
    ASSERT_FALSE(window.isNull());

    // No: the window closes, the changes are dropped.
    platform.QueueMessageBoxResult(IDNO);
    EXPECT_TRUE(window->close());
    RunDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(platform.saveDialogs.size() == 1u);
}

TEST_F(DocumentWindowTest, CloseWithYesSavesThenCloses) {
    platform.QueueMessageBoxResult(IDYES);
    platform.QueueSaveConfirm(Path(QStringLiteral("отчет")));
    EXPECT_TRUE(window->close());
    RunDeferredDeletes();
    EXPECT_TRUE(window.isNull());
    const auto paragraphs = OdtParagraphs(Path(QStringLiteral("отчет.odt")));
    ASSERT_TRUE(paragraphs.has_value());
    EXPECT_EQ(paragraphs->first(), SampleReport().front().text);
}

TEST_F(DocumentWindowTest, CallsAfterTheUserClosedTheWindowFailWithoutHarm) {
    const Variant range = AutoGet(word.vParagraph, "Range");
    const Variant font = AutoGet(range, "Font");
    const Variant selection = AutoGet(word.vWordApp, "Selection");
    platform.QueueMessageBoxResult(IDNO);
    ASSERT_TRUE(window->close());
    RunDeferredDeletes();
    ASSERT_TRUE(window.isNull());

    // The report goes on writing into the closed document.
    try {
        AddParagraph({QStringLiteral("после закрытия"), 12, false, 0});
        ADD_FAILURE() << "no error raised";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), RPC_E_DISCONNECTED);
    }
    using Member = std::pair<const Variant*, QString>;
    for (const auto& [object, name] :
         {Member{&range, QStringLiteral("Text")}, Member{&font, QStringLiteral("Size")},
          Member{&word.vParagraph, QStringLiteral("Alignment")},
          Member{&selection, QStringLiteral("ParagraphFormat")},
          Member{&word.vDocument, QStringLiteral("Paragraphs")}}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(Call(*object, name, DISPATCH_PROPERTYGET).hr, RPC_E_DISCONNECTED);
    }
    EXPECT_EQ(
        Call(font, QStringLiteral("Bold"), DISPATCH_PROPERTYPUT, {Variant::FromBool(true)}).hr,
        RPC_E_DISCONNECTED);
    // The application itself still answers: it has no documents left.
    EXPECT_EQ(AutoGet(word.vDocuments, "Count").lVal(), 0);
    EXPECT_EQ(Call(word.vWordApp, QStringLiteral("ActiveWindow"), DISPATCH_PROPERTYGET).hr,
              DISP_E_EXCEPTION);
    AutoPut(word.vWordApp, "Visible", true);
    AutoPut(word.vWordApp, "Left", std::int32_t{10});
    // A new report works again.
    StartWord();
    AddParagraph({QStringLiteral("новый"), 12, false, 0});
    EXPECT_EQ(OnlyWindow()->Document()->firstBlock().text(), QStringLiteral("новый"));
}

TEST_F(DocumentWindowTest, UnchangedDocumentClosesWithoutAsking) {
    DispatchPtr created;
    ASSERT_EQ(factory.CreateInstance(QStringLiteral("Word.Application"), &created), S_OK);
    const Variant application = Variant::FromDispatch(created);
    AutoPut(application, "Visible", true);
    AutoProc(AutoGet(application, "Documents"), "Add");
    const Variant document = AutoGet(application, "ActiveDocument");
    EXPECT_EQ(AutoGet(document, "Saved").boolVal(), VARIANT_TRUE);
    QPointer<DocumentWindow> fresh;
    for (DocumentWindow* candidate : DocumentWindows()) {
        if (candidate != window) fresh = candidate;
    }
    ASSERT_FALSE(fresh.isNull());
    EXPECT_TRUE(fresh->isVisible());
    EXPECT_TRUE(fresh->close());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

TEST_F(DocumentWindowTest, ProgramEndsWithTheLastReportWindowNotWithTheCalculator) {
    QWidget calculator;
    calculator.show();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool reportOpenAfterCalculator = false;
    int lastClosedAfterCalculator = -1;
    QTimer guard;  // ends the loop should the program not end by itself
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);

    QTimer::singleShot(0, qApp, [&] {
        calculator.close();
        QTimer::singleShot(0, qApp, [&] {
            reportOpenAfterCalculator = !window.isNull() && window->isVisible();
            lastClosedAfterCalculator = int(lastClosed.count());
            platform.QueueMessageBoxResult(IDNO);
            window->close();
            guard.start(0);
        });
    });
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
    QApplication::exec();

    EXPECT_TRUE(reportOpenAfterCalculator);
    EXPECT_EQ(lastClosedAfterCalculator, 0);
    EXPECT_EQ(lastClosed.count(), 1);
    EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace velars::test
