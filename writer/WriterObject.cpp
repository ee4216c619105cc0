#include "writer/WriterObject.h"

namespace velars {

HRESULT WriterObject::Office(const MemberCall& call, OfficeSession::Work work,
                             com::sun::star::uno::Any* value) const {
    OfficeAnswer answer = session_->Run(std::move(work));
    if (answer.hr == DISP_E_EXCEPTION && owner_.is()) {
        const auto owner = owner_;
        const OfficeAnswer open = session_->Run([owner] {
            return com::sun::star::uno::Any(owner->getCurrentController().is());
        });
        if (FAILED(open.hr) || !open.value.get<bool>())
            return RPC_E_DISCONNECTED;
    }
    if (answer.hr == DISP_E_EXCEPTION)
        return call.Raise(answer.message, 0);
    if (SUCCEEDED(answer.hr) && value != nullptr)
        *value = std::move(answer.value);
    return answer.hr;
}

HRESULT WriterObject::CheckConnected() const {
    return session_->IsConnected() ? S_OK : RPC_E_DISCONNECTED;
}

}  // namespace velars
