// The same report saved as a Word document from Writer and from the
// built-in window: an independent reader (python-docx) finds the same texts,
// bold runs, sizes and alignments in both, and LibreOffice opens the
// built-in window's file with the paragraphs the window holds.

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <gtest/gtest.h>

#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "docserver/DocxExport.h"
#include "OfficeFixture.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "report/WordConnection.h"
#include "tests/support/ReportInputs.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

css::beans::PropertyValue Property(const char* name, uno::Any value) {
    css::beans::PropertyValue property;
    property.Name = OUString::createFromAscii(name);
    property.Value = std::move(value);
    return property;
}

OUString FileUrl(const QString& path) { return ToOUString(QUrl::fromLocalFile(path).toString()); }

// Stores a document of the office into `path` with the export filter `filter`.
void Store(const Model& document, const QString& path, const char* filter,
           const char* options = "") {
    const OUString url = FileUrl(path);
    const OUString filterName = OUString::createFromAscii(filter);
    const OUString filterOptions = OUString::createFromAscii(options);
    OfficeEnvironment::Run([document, url, filterName, filterOptions] {
        const css::beans::PropertyValue args[] = {
            Property("FilterName", uno::Any(filterName)),
            Property("FilterOptions", uno::Any(filterOptions))};
        uno::Reference<css::frame::XStorable>(document, uno::UNO_QUERY_THROW)
            ->storeToURL(url, uno::Sequence<css::beans::PropertyValue>(args, 2));
    });
}

// Paragraphs as a file shows them: the text, the alignment and, where there
// is text, the size and weight of its first portion (an empty paragraph's
// mark keeps no formatting in the file).
struct ShownParagraph {
    QString text;
    int alignment = 0;
    double size = 0;
    bool bold = false;
    bool operator==(const ShownParagraph&) const = default;
};
void PrintTo(const ShownParagraph& p, std::ostream* out) {
    *out << '"' << p.text.toStdString() << "\" align " << p.alignment << ' ' << p.size
         << (p.bold ? " bold" : "");
}

std::vector<ShownParagraph> Shown(const std::vector<ParagraphLook>& looks) {
    std::vector<ShownParagraph> shown;
    for (const ParagraphLook& look : looks)
        shown.push_back(look.text.isEmpty()
                            ? ShownParagraph{look.text, look.alignment, 0, false}
                            : ShownParagraph{look.text, look.alignment, look.size, look.bold});
    return shown;
}

std::vector<ShownParagraph> ShownInOffice(const Model& document) {
    auto shown = std::make_shared<std::vector<ShownParagraph>>();
    OfficeEnvironment::Run([document, shown] {
        const uno::Reference<css::text::XTextDocument> text(document, uno::UNO_QUERY_THROW);
        const uno::Reference<css::container::XEnumerationAccess> paragraphs(text->getText(),
                                                                            uno::UNO_QUERY_THROW);
        const auto each = paragraphs->createEnumeration();
        while (each->hasMoreElements()) {
            const uno::Reference<css::text::XTextRange> paragraph(each->nextElement(),
                                                                  uno::UNO_QUERY_THROW);
            const uno::Reference<css::beans::XPropertySet> properties(paragraph,
                                                                      uno::UNO_QUERY_THROW);
            ShownParagraph p;
            p.text = FromOUString(paragraph->getString());
            p.alignment = CodeOfAdjust(properties->getPropertyValue("ParaAdjust"));
            if (!p.text.isEmpty()) {
                const uno::Reference<css::container::XEnumerationAccess> portions(
                    paragraph, uno::UNO_QUERY_THROW);
                const uno::Reference<css::beans::XPropertySet> first(
                    portions->createEnumeration()->nextElement(), uno::UNO_QUERY_THROW);
                p.size = first->getPropertyValue("CharHeight").get<float>();
                p.bold = first->getPropertyValue("CharWeight").get<float>() > 100;
            }
            shown->push_back(p);
        }
    });
    return *shown;
}

// What python-docx reads: one JSON line per paragraph.
QStringList ReadDocx(const QString& path) {
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(VELARS_READ_DOCX), path});
    EXPECT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    return QString::fromUtf8(reader.readAllStandardOutput())
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TEST(DocxTest, WriterAndTheBuiltInWindowWriteTheSameWordDocument) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const ReportInputs inputs = WorkedExample();
    const QString fromWriter = folder.filePath(QStringLiteral("writer.docx"));
    const QString fromWindow = folder.filePath(QStringLiteral("window.docx"));

    // Both reports number 1: a counter file each.
    QTemporaryDir writerProgram, windowProgram;
    {
        FakePlatformServices platform;
        platform.executablePath = writerProgram.filePath(QStringLiteral("velars-tp"));
        SaveLocation location;
        const std::vector<Model> before = OfficeEnvironment::Documents();
        {
            WordConnection word;
            RunReportStep(word, OfficeEnvironment::Factory(), platform, location, QSize(291, 640),
                          inputs);
        }
        const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
        ASSERT_EQ(added.size(), 1u);
        Store(added.front(), fromWriter, "MS Word 2007 XML");
    }
    std::vector<ParagraphLook> windowLooks;
    {
        FakePlatformServices platform;
        platform.executablePath = windowProgram.filePath(QStringLiteral("velars-tp"));
        SaveLocation location;
        ObjectFactory factory;
        RegisterDocumentServer(factory, platform);
        {
            WordConnection word;
            RunReportStep(word, factory, platform, location, QSize(291, 640), inputs);
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<DocumentWindow*>(widget)) {
                ASSERT_TRUE(WriteDocx(*window->Document(), fromWindow));
                windowLooks = BuiltInLooks(*window->Document());
                window->Document()->setModified(false);
                delete window;
                break;
            }
        }
    }

    const QStringList writerDocx = ReadDocx(fromWriter);
    const QStringList windowDocx = ReadDocx(fromWindow);
    ASSERT_GT(windowDocx.size(), 20);
    EXPECT_EQ(writerDocx, windowDocx);

    // LibreOffice opens the window's file with the window's paragraphs,
    // and converts it to the same text.
    const OUString url = FileUrl(fromWindow);
    auto opened = std::make_shared<Model>();
    const std::shared_ptr<OfficeSession> session(&OfficeEnvironment::Session(), [](auto*) {});
    OfficeEnvironment::Run([url, opened, session] {
        const css::beans::PropertyValue args[] = {Property("Hidden", uno::Any(true))};
        opened->set(
            session->Desktop()->loadComponentFromURL(
                url, OUString("_blank"), 0, uno::Sequence<css::beans::PropertyValue>(args, 1)),
            uno::UNO_QUERY_THROW);
    });
    ASSERT_TRUE(opened->is());
    EXPECT_EQ(ShownInOffice(*opened), Shown(windowLooks));
    const QString text = folder.filePath(QStringLiteral("window.txt"));
    Store(*opened, text, "Text (encoded)", "UTF8,LF,,,");
    const Model document = *opened;
    OfficeEnvironment::Run([document] {
        uno::Reference<css::util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
    });
    QFile converted(text);
    ASSERT_TRUE(converted.open(QIODevice::ReadOnly));
    QStringList lines = QString::fromUtf8(converted.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (!lines.isEmpty() && lines.front().startsWith(QChar(0xFEFF))) lines.front().remove(0, 1);
    QStringList expected;
    for (const ParagraphLook& look : windowLooks) expected << look.text;
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace velars::test
