#include "docserver/DocumentServer.h"

#include "docserver/ApplicationObject.h"

namespace velars {

void RegisterDocumentServer(ObjectFactory& factory, PlatformServices& platform,
                            DocumentDisplay display) {
    factory.Register(QStringLiteral("Word.Application"), [&platform, display]() -> DispatchPtr {
        return std::make_shared<ApplicationObject>(platform, display == DocumentDisplay::Hidden);
    });
}

}  // namespace velars
