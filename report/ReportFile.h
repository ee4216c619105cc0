#pragma once
// A finished report saved to a file by the word processor that holds it:
// Document.SaveAs2 with the file's name and the word processor's code for
// the format (Word document, OpenDocument text or PDF).

#include <QString>
#include <optional>

#include "report/WordConnection.h"

namespace velars {

enum class ReportFileFormat { Docx, Odt, Pdf };

// The format a file name asks for by its extension (".docx", ".odt",
// ".pdf", letter case ignored); nullopt for any other name.
std::optional<ReportFileFormat> ReportFileFormatOf(const QString& fileName);

// The format named "docx", "odt" or "pdf" (letter case ignored).
std::optional<ReportFileFormat> ReportFileFormatNamed(const QString& name);

// "docx", "odt" or "pdf".
QString ExtensionOf(ReportFileFormat format);

// vDocument.SaveAs2(path, code of `format`): the report the step has just
// written, saved. A failure raises EOleSysError.
void SaveReportDocument(const WordConnection& word, const QString& path, ReportFileFormat format);

}  // namespace velars
