#pragma once
// The server that answers "Word.Application" for the window's report:
// LibreOffice Writer when the soffice on the PATH has Writer, else the
// program's own document server. Either is a module of the program, loaded
// on the first report (automation/ModuleServer.h); a module that cannot be
// loaded fails that report's start with what is missing.

#include <QString>

#include "automation/ObjectFactory.h"
#include "platform/PlatformServices.h"

namespace velars {

// Registers the server for the PATH value `path`. `platform` must outlive
// `factory`.
void RegisterReportServer(ObjectFactory& factory, PlatformServices& platform, const QString& path);

}  // namespace velars
