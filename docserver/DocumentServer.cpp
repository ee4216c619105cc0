#include "docserver/DocumentServer.h"

#include "docserver/ApplicationObject.h"

namespace velars {

void RegisterDocumentServer(ObjectFactory& factory, PlatformServices& platform) {
    factory.Register(QStringLiteral("Word.Application"), [&platform]() -> DispatchPtr {
        return std::make_shared<ApplicationObject>(platform);
    });
}

}  // namespace velars
