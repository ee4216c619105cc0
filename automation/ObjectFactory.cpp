#include "automation/ObjectFactory.h"

namespace velars {

void ObjectFactory::Register(const QString& progId, Creator creator) {
    creators_[progId] = std::move(creator);
}

void ObjectFactory::Unregister(const QString& progId) { creators_.erase(progId); }

HRESULT ObjectFactory::CreateInstance(const QString& progId, DispatchPtr* object,
                                      QString* reason) const {
    if (object == nullptr) return E_POINTER;
    object->reset();
    const auto found = creators_.find(progId);
    if (found == creators_.end() || !found->second) return CO_E_CLASSSTRING;
    DispatchPtr created;
    try {
        created = found->second();
    } catch (const ServerUnavailable& unavailable) {
        if (reason != nullptr) *reason = unavailable.Message();
        return CO_E_SERVER_EXEC_FAILURE;
    } catch (...) {
        return CO_E_SERVER_EXEC_FAILURE;
    }
    if (!created) return CO_E_SERVER_EXEC_FAILURE;
    *object = std::move(created);
    return S_OK;
}

}  // namespace velars
