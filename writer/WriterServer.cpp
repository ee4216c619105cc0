#include "writer/WriterServer.h"

#include "writer/HeldDocuments.h"
#include "writer/OfficeSession.h"
#include "writer/WriterApplication.h"

namespace velars {

std::shared_ptr<OfficeSession> RegisterWriterServer(ObjectFactory& factory, OfficeOptions options) {
    auto session = std::make_shared<OfficeSession>(std::move(options));
    // The session keeps the hold: what it holds is released at the end of
    // each burst of calls and before the session ends.
    auto hold = std::make_shared<HeldDocuments>(*session);
    session->SetPauseWork([hold] { hold->ReleaseAll(); });
    session->SetBridgeEndWork([hold] { hold->ForgetModels(); });
    factory.Register(QStringLiteral("Word.Application"), [session, hold]() -> DispatchPtr {
        if (FAILED(session->Connect())) return nullptr;
        return std::make_shared<WriterApplicationObject>(session, hold);
    });
    return session;
}

}  // namespace velars
