#pragma once
// The name the document server shows in its window titles, message boxes and
// the source of its automation errors.

#include <QString>

namespace velars {

inline QString ServerName() { return QStringLiteral("Веларс-ТП"); }

}  // namespace velars
