#pragma once
// Writing a report document to a file: OpenDocument text or PDF.

#include <QString>

class QTextDocument;

namespace velars {

// An OpenDocument text file (.odt). False when the file cannot be written.
bool WriteOdt(const QTextDocument& document, const QString& path);

// A PDF on A4 pages with 2 cm margins. False when the file cannot be written.
bool WritePdf(const QTextDocument& document, const QString& path);

}  // namespace velars
