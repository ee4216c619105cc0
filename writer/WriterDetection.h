#pragma once
// Whether LibreOffice Writer is installed: an `soffice` executable on the
// PATH whose installation holds the Writer module (its program folder has
// the Writer library, libswlo.so). The program chooses its report server
// by this, reading no setting and no environment variable of its own.

#include <QString>

namespace velars {

// The soffice executable found on `path` (a PATH value, folders separated by
// ':') whose installation holds Writer; empty when there is none.
QString FindWriterOffice(const QString& path);

}  // namespace velars
