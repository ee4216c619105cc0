#include "writer/WriterServer.h"

#include "writer/OfficeSession.h"
#include "writer/WriterApplication.h"

namespace velars {

std::shared_ptr<OfficeSession> RegisterWriterServer(ObjectFactory& factory, OfficeOptions options) {
    auto session = std::make_shared<OfficeSession>(std::move(options));
    factory.Register(QStringLiteral("Word.Application"), [session]() -> DispatchPtr {
        if (FAILED(session->Connect())) return nullptr;
        return std::make_shared<WriterApplicationObject>(session);
    });
    return session;
}

}  // namespace velars
