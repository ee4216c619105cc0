#pragma once
// The name both report servers give as the source of their automation
// errors; the document server also shows it in its window titles, message
// boxes and the author of its DOCX files.

#include <QString>

namespace velars {

inline QString ServerName() { return QStringLiteral("Веларс-ТП"); }

}  // namespace velars
