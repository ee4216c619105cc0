#pragma once
// Creates automation servers by ProgID, as CLSIDFromProgID + CoCreateInstance.
// The program registers the Writer server or the document server as
// "Word.Application"; tests register recording fakes.

#include <QString>
#include <functional>
#include <map>

#include "automation/Dispatch.h"
#include "numbers/Exception.h"

namespace velars {

// A server that cannot start for a reason the user can act on (a part of the
// program or of the system is missing): its creator throws this, and the
// reason goes with the failed creation.
class ServerUnavailable : public Exception {
public:
    using Exception::Exception;
};

class ObjectFactory {
public:
    using Creator = std::function<DispatchPtr()>;

    void Register(const QString& progId, Creator creator);
    void Unregister(const QString& progId);

    // S_OK with the new object's dispatch interface; CO_E_CLASSSTRING for an
    // unknown ProgID; CO_E_SERVER_EXEC_FAILURE when the server cannot start
    // (its creator throws or returns null). When it throws ServerUnavailable,
    // its message goes to `reason` (when given); otherwise `reason` is left
    // alone.
    HRESULT CreateInstance(const QString& progId, DispatchPtr* object,
                           QString* reason = nullptr) const;

private:
    std::map<QString, Creator> creators_;
};

}  // namespace velars
