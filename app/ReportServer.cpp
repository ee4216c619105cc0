#include "app/ReportServer.h"

#include "automation/ModuleServer.h"
#include "writer/WriterDetection.h"

namespace velars {

void RegisterReportServer(ObjectFactory& factory, PlatformServices& platform, const QString& path) {
    const QString progId = QStringLiteral("Word.Application");
    const QString office = FindWriterOffice(path);
    if (office.isEmpty())
        RegisterModuleServer(factory, platform, progId,
                             QStringLiteral(VELARS_DOCUMENT_SERVER_MODULE));
    else
        RegisterModuleServer(factory, platform, progId, QStringLiteral(VELARS_WRITER_SERVER_MODULE),
                             office);
}

}  // namespace velars
