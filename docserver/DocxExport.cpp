#include "docserver/DocxExport.h"

#include <QDateTime>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamWriter>
#include <cmath>
#include <memory>
#include <zip.h>

#include "automation/ServerName.h"
#include "docserver/ParagraphEditing.h"

namespace velars {
namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

QByteArray ContentTypes() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" "
        "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "</Types>");
}

QByteArray PackageRelationships() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/officeDocument\" Target=\"word/document.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
        "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
        "</Relationships>");
}

QByteArray DocumentRelationships() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
        "relationships/styles\" Target=\"styles.xml\"/>"
        "</Relationships>");
}

// Half points, as Word counts font sizes.
QString HalfPoints(double points) { return QString::number(std::lround(points * 2)); }

void Fonts(QXmlStreamWriter& xml, const QString& family) {
    xml.writeEmptyElement(kW, QStringLiteral("rFonts"));
    for (const char* script : {"ascii", "hAnsi", "cs", "eastAsia"})
        xml.writeAttribute(kW, QString::fromLatin1(script), family);
}

void Size(QXmlStreamWriter& xml, double points) {
    xml.writeEmptyElement(kW, QStringLiteral("sz"));
    xml.writeAttribute(kW, QStringLiteral("val"), HalfPoints(points));
    xml.writeEmptyElement(kW, QStringLiteral("szCs"));
    xml.writeAttribute(kW, QStringLiteral("val"), HalfPoints(points));
}

QByteArray Styles(const QTextDocument& document) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kW, QStringLiteral("w"));
    xml.writeStartElement(kW, QStringLiteral("styles"));
    xml.writeStartElement(kW, QStringLiteral("docDefaults"));
    xml.writeStartElement(kW, QStringLiteral("rPrDefault"));
    xml.writeStartElement(kW, QStringLiteral("rPr"));
    Fonts(xml, document.defaultFont().family());
    Size(xml, document.defaultFont().pointSizeF());
    xml.writeEmptyElement(kW, QStringLiteral("lang"));
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("ru-RU"));
    xml.writeEndElement();  // rPr
    xml.writeEndElement();  // rPrDefault
    xml.writeStartElement(kW, QStringLiteral("pPrDefault"));
    xml.writeStartElement(kW, QStringLiteral("pPr"));
    xml.writeEmptyElement(kW, QStringLiteral("spacing"));
    xml.writeAttribute(kW, QStringLiteral("before"), QStringLiteral("0"));
    xml.writeAttribute(kW, QStringLiteral("after"), QStringLiteral("0"));
    xml.writeEndElement();  // pPr
    xml.writeEndElement();  // pPrDefault
    xml.writeEndElement();  // docDefaults
    xml.writeStartElement(kW, QStringLiteral("style"));
    xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("paragraph"));
    xml.writeAttribute(kW, QStringLiteral("default"), QStringLiteral("1"));
    xml.writeAttribute(kW, QStringLiteral("styleId"), QStringLiteral("Normal"));
    xml.writeEmptyElement(kW, QStringLiteral("name"));
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("Normal"));
    xml.writeEndElement();  // style
    xml.writeEndElement();  // styles
    xml.writeEndDocument();
    return out;
}

QString Justification(int code) {
    switch (code) {
    case 1: return QStringLiteral("center");
    case 2: return QStringLiteral("right");
    case 3: return QStringLiteral("both");
    default: return QStringLiteral("left");
    }
}

void ParagraphProperties(QXmlStreamWriter& xml, const QTextBlock& block) {
    const QTextBlockFormat format = block.blockFormat();
    xml.writeStartElement(kW, QStringLiteral("pPr"));
    if (format.lineHeightType() == QTextBlockFormat::ProportionalHeight) {
        // 240 is one line.
        xml.writeEmptyElement(kW, QStringLiteral("spacing"));
        xml.writeAttribute(kW, QStringLiteral("line"),
                           QString::number(std::lround(format.lineHeight() * 240 / 100)));
        xml.writeAttribute(kW, QStringLiteral("lineRule"), QStringLiteral("auto"));
    }
    xml.writeEmptyElement(kW, QStringLiteral("jc"));
    xml.writeAttribute(kW, QStringLiteral("val"), Justification(AlignmentCode(format.alignment())));
    xml.writeEndElement();
}

void RunProperties(QXmlStreamWriter& xml, const QTextCharFormat& format, const QTextBlock& block) {
    xml.writeStartElement(kW, QStringLiteral("rPr"));
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty()) Fonts(xml, families.front());
    if (format.fontWeight() > QFont::Medium) xml.writeEmptyElement(kW, QStringLiteral("b"));
    if (format.fontItalic()) xml.writeEmptyElement(kW, QStringLiteral("i"));
    Size(xml, FontPointSize(format, block));
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript ||
        format.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        xml.writeEmptyElement(kW, QStringLiteral("vertAlign"));
        xml.writeAttribute(kW, QStringLiteral("val"),
                           format.verticalAlignment() == QTextCharFormat::AlignSuperScript
                               ? QStringLiteral("superscript")
                               : QStringLiteral("subscript"));
    }
    xml.writeEndElement();
}

// A run's text; line breaks inside the paragraph become <w:br/>.
void RunText(QXmlStreamWriter& xml, const QString& text) {
    const QStringList lines = text.split(QChar::LineSeparator);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) xml.writeEmptyElement(kW, QStringLiteral("br"));
        if (lines[i].isEmpty()) continue;
        xml.writeStartElement(kW, QStringLiteral("t"));
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        xml.writeCharacters(lines[i]);
        xml.writeEndElement();
    }
}

QByteArray DocumentPart(const QTextDocument& document) {
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kW, QStringLiteral("w"));
    xml.writeStartElement(kW, QStringLiteral("document"));
    xml.writeStartElement(kW, QStringLiteral("body"));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        xml.writeStartElement(kW, QStringLiteral("p"));
        ParagraphProperties(xml, block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            xml.writeStartElement(kW, QStringLiteral("r"));
            RunProperties(xml, fragment.charFormat(), block);
            RunText(xml, fragment.text());
            xml.writeEndElement();
        }
        xml.writeEndElement();  // p
    }
    // A4 with 2 cm margins, as the PDF.
    xml.writeStartElement(kW, QStringLiteral("sectPr"));
    xml.writeEmptyElement(kW, QStringLiteral("pgSz"));
    xml.writeAttribute(kW, QStringLiteral("w"), QStringLiteral("11906"));
    xml.writeAttribute(kW, QStringLiteral("h"), QStringLiteral("16838"));
    xml.writeEmptyElement(kW, QStringLiteral("pgMar"));
    for (const char* edge : {"top", "right", "bottom", "left"})
        xml.writeAttribute(kW, QString::fromLatin1(edge), QStringLiteral("1134"));
    xml.writeEndElement();  // sectPr
    xml.writeEndElement();  // body
    xml.writeEndElement();  // document
    xml.writeEndDocument();
    return out;
}

QByteArray CoreProperties(const QTextDocument& document) {
    const QString cp =
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties");
    const QString dc = QStringLiteral("http://purl.org/dc/elements/1.1/");
    const QString dcterms = QStringLiteral("http://purl.org/dc/terms/");
    const QString xsi = QStringLiteral("http://www.w3.org/2001/XMLSchema-instance");
    const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(cp, QStringLiteral("cp"));
    xml.writeNamespace(dc, QStringLiteral("dc"));
    xml.writeNamespace(dcterms, QStringLiteral("dcterms"));
    xml.writeNamespace(xsi, QStringLiteral("xsi"));
    xml.writeStartElement(cp, QStringLiteral("coreProperties"));
    const QString title = document.metaInformation(QTextDocument::DocumentTitle);
    if (!title.isEmpty()) xml.writeTextElement(dc, QStringLiteral("title"), title);
    xml.writeTextElement(dc, QStringLiteral("creator"), ServerName());
    for (const char* name : {"created", "modified"}) {
        xml.writeStartElement(dcterms, QString::fromLatin1(name));
        xml.writeAttribute(xsi, QStringLiteral("type"), QStringLiteral("dcterms:W3CDTF"));
        xml.writeCharacters(now);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

struct ZipSourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

}  // namespace

QByteArray DocxArchive(const QTextDocument& document) {
    const std::pair<const char*, QByteArray> parts[] = {
        {"[Content_Types].xml", ContentTypes()},
        {"_rels/.rels", PackageRelationships()},
        {"word/document.xml", DocumentPart(document)},
        {"word/_rels/document.xml.rels", DocumentRelationships()},
        {"word/styles.xml", Styles(document)},
        {"docProps/core.xml", CoreProperties(document)},
    };
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, ZipSourceFree> buffer(
        zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) return {};
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    if (archive == nullptr) return {};
    zip_source_keep(buffer.get());  // the archive's close would free it
    for (const auto& [name, data] : parts) {
        zip_source_t* part = zip_source_buffer(archive, data.constData(), zip_uint64_t(data.size()),
                                               0);
        if (part == nullptr || zip_file_add(archive, name, part, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(part);
            zip_discard(archive);
            return {};
        }
    }
    // The parts' data must live until the archive is written, here.
    if (zip_close(archive) < 0) {
        zip_discard(archive);
        return {};
    }
    QByteArray bytes;
    if (zip_source_open(buffer.get()) < 0) return {};
    zip_source_seek(buffer.get(), 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer.get());
    zip_source_seek(buffer.get(), 0, SEEK_SET);
    if (size > 0) {
        bytes.resize(qsizetype(size));
        if (zip_source_read(buffer.get(), bytes.data(), zip_uint64_t(size)) != size) bytes.clear();
    }
    zip_source_close(buffer.get());
    return bytes;
}

bool WriteDocx(const QTextDocument& document, const QString& path) {
    const QByteArray archive = DocxArchive(document);
    if (archive.isEmpty()) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(archive) == archive.size() &&
           file.commit();
}

}  // namespace velars
