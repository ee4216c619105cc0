// Document.SaveAs2 writes the report to a file in the format asked for, and
// a server registered hidden never shows a window: the command-line tool's
// way to a report file.

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ServerFixture.h"
#include "ZipArchive.h"
#include "docserver/DocumentServer.h"
#include "automation/Automation.h"
#include "report/ReportFile.h"
#include "report/ReportWriter.h"

namespace velars::test {
namespace {

// The first entry of a zip archive ("mimetype" for ODT), or the first bytes.
QByteArray Signature(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("%PDF")) return "pdf";
    const auto entries = ReadZip(bytes);
    if (!entries || entries->empty()) return "<not a zip archive>";
    for (const ZipEntry& entry : *entries)
        if (entry.name == QLatin1String("word/document.xml")) return "docx";
    if (entries->front().name == QLatin1String("mimetype")) return entries->front().data;
    return "<unknown archive>";
}

class SaveAsTest : public ServerFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        StartWord();
        WriteReport(SampleReport());
    }
    QString Path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST_F(SaveAsTest, WritesTheFormatOfTheCodeOrOfTheExtension) {
    const struct {
        const char* name;
        std::optional<std::int32_t> code;
        QByteArray signature;
    } cases[] = {
        {"a.docx", 16, "docx"},
        {"b.bin", 12, "docx"},  // the code wins over the name
        {"c.pdf", 17, "pdf"},
        {"d.odt", 23, "application/vnd.oasis.opendocument.text"},
        {"e.ODT", std::nullopt, "application/vnd.oasis.opendocument.text"},
        {"f.pdf", std::nullopt, "pdf"},
        {"g", std::nullopt, "docx"},  // the default format without a known extension
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Path(QString::fromLatin1(c.name));
        if (c.code) {
            AutoProc(word.vDocument, "SaveAs2", Bstr(path), *c.code);
        } else {
            const CallAnswer answer = Call(word.vDocument, QStringLiteral("SaveAs2"),
                                           DISPATCH_METHOD, {Variant::FromBstr(path)});
            EXPECT_EQ(answer.hr, S_OK);
        }
        EXPECT_EQ(Signature(path), c.signature);
    }
    // The file formats of the report step's own saving.
    SaveReportDocument(word, Path("h.odt"), ReportFileFormat::Odt);
    EXPECT_EQ(Signature(Path("h.odt")), "application/vnd.oasis.opendocument.text");
}

TEST_F(SaveAsTest, AFileThatCannotBeWrittenOrAnUnknownCodeIsAnError) {
    const QString missing = Path("нет/отчет.pdf");
    const CallAnswer failed = Call(word.vDocument, QStringLiteral("SaveAs2"), DISPATCH_METHOD,
                                   {Variant::FromBstr(missing), Variant::FromI4(17)});
    EXPECT_EQ(failed.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(failed.excepInfo.scode, HRESULT(0x800A0000u | 4198));
    EXPECT_TRUE(failed.excepInfo.bstrDescription.contains(missing));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_THROW(SaveReportDocument(word, missing, ReportFileFormat::Pdf), EOleSysError);
    // Nothing was shown to anybody.
    EXPECT_TRUE(platform.messageBoxes.empty());

    const CallAnswer unknown = Call(word.vDocument, QStringLiteral("SaveAs2"), DISPATCH_METHOD,
                                    {Variant::FromBstr(Path("x.doc")), Variant::FromI4(0)});
    EXPECT_EQ(unknown.hr, DISP_E_EXCEPTION);
    EXPECT_FALSE(QFile::exists(Path("x.doc")));
    const CallAnswer noName = Call(word.vDocument, QStringLiteral("SaveAs2"), DISPATCH_METHOD,
                                   {Variant::FromBstr(QString()), Variant::FromI4(16)});
    EXPECT_EQ(noName.hr, DISP_E_TYPEMISMATCH);
}

using HiddenServerTest = ServerFixture;

TEST_F(HiddenServerTest, NoWindowIsShownAndEachDocumentGoesWithItsObjects) {
    RegisterDocumentServer(factory, platform, DocumentDisplay::Hidden);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (int report = 0; report < 2; ++report) {
        WordConnection word;
        ASSERT_TRUE(velars::StartWord(word, factory, platform, QSize()));
        velars::AddParagraph(word, platform, QStringLiteral("Расчет"), 14, true, 1);
        EXPECT_EQ(AutoGet(word.vWordApp, "Visible").boolVal(), VARIANT_TRUE);
        const QString path = dir.filePath(QStringLiteral("r%1.pdf").arg(report));
        SaveReportDocument(word, path, ReportFileFormat::Pdf);
        EXPECT_EQ(Signature(path), "pdf");
        ASSERT_EQ(DocumentWindows().size(), 1u);
        EXPECT_FALSE(DocumentWindows().front()->isVisible());
    }
    // The connection went, and its document with it.
    EXPECT_TRUE(DocumentWindows().empty());
    EXPECT_TRUE(platform.messageBoxes.empty());
}

}  // namespace
}  // namespace velars::test
