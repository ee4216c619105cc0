#include "report/ReportFile.h"

#include <QFileInfo>

#include "automation/Automation.h"

namespace velars {

namespace {

// The word processor's codes of the formats (its WdSaveFormat values).
constexpr std::int32_t kFormatDocumentDefault = 16;
constexpr std::int32_t kFormatPdf = 17;
constexpr std::int32_t kFormatOpenDocumentText = 23;

std::int32_t CodeOf(ReportFileFormat format) {
    switch (format) {
    case ReportFileFormat::Docx: return kFormatDocumentDefault;
    case ReportFileFormat::Odt: return kFormatOpenDocumentText;
    case ReportFileFormat::Pdf: return kFormatPdf;
    }
    return kFormatDocumentDefault;
}

}  // namespace

std::optional<ReportFileFormat> ReportFileFormatNamed(const QString& name) {
    for (ReportFileFormat format :
         {ReportFileFormat::Docx, ReportFileFormat::Odt, ReportFileFormat::Pdf}) {
        if (name.compare(ExtensionOf(format), Qt::CaseInsensitive) == 0) return format;
    }
    return std::nullopt;
}

std::optional<ReportFileFormat> ReportFileFormatOf(const QString& fileName) {
    const QFileInfo info(fileName);
    // ".pdf" alone is a hidden file's name, not an extension.
    if (info.completeBaseName().isEmpty() && info.fileName().startsWith(QLatin1Char('.')))
        return std::nullopt;
    return ReportFileFormatNamed(info.suffix());
}

QString ExtensionOf(ReportFileFormat format) {
    switch (format) {
    case ReportFileFormat::Docx: return QStringLiteral("docx");
    case ReportFileFormat::Odt: return QStringLiteral("odt");
    case ReportFileFormat::Pdf: return QStringLiteral("pdf");
    }
    return {};
}

void SaveReportDocument(const WordConnection& word, const QString& path, ReportFileFormat format) {
    AutoProc(word.vDocument, "SaveAs2", Bstr(path), CodeOf(format));
}

}  // namespace velars
