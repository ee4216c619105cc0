#pragma once
// Writing a report document as a Word document (.docx, Office Open XML):
// the document part, styles with the document defaults (font and size),
// the core properties; each paragraph with its alignment and line spacing,
// each run of text with its font, size, weight and raised position.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace velars {

// The .docx archive of `document`; empty when the archive cannot be made.
QByteArray DocxArchive(const QTextDocument& document);

// Writes it through a temporary file beside the target that replaces the
// target once complete. False when the file cannot be written.
bool WriteDocx(const QTextDocument& document, const QString& path);

}  // namespace velars
