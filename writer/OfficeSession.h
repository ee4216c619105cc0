#pragma once
// The connection to one LibreOffice process, as a UNO client makes it: the
// office is started (or the running one reached) with an accept string for
// our pipe, and a URP bridge over the pipe gives the office's component
// context and its desktop.
//
// Every call into the office runs on the session's own thread and is
// bounded: when a call does not come back within the timeout, the bridge is
// disposed (which releases the waiting call) and the session counts as
// disconnected; the caller gets RPC_E_DISCONNECTED and never waits longer.
// A disconnected session connects afresh on the next Connect. The office and
// its documents outlive the session: it never closes or terminates them.

#include <QString>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/Reference.hxx>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "automation/ComTypes.h"
#include "writer/OfficeOptions.h"

namespace com::sun::star {
namespace frame {
class XDesktop2;
}
namespace lang {
class XComponent;
}
namespace uno {
class XComponentContext;
}
}  // namespace com::sun::star

namespace velars {

// What a call into the office answered: S_OK with its value, or the failure
// with the office's own message.
struct OfficeAnswer {
    HRESULT hr = S_OK;
    QString message;
    com::sun::star::uno::Any value;
};

// Thrown by work run on the office thread to answer a result code of its own.
struct OfficeFailure {
    HRESULT hr;
};

class OfficeSession {
public:
    using Work = std::function<com::sun::star::uno::Any()>;

    explicit OfficeSession(OfficeOptions options);
    ~OfficeSession();
    OfficeSession(const OfficeSession&) = delete;
    OfficeSession& operator=(const OfficeSession&) = delete;

    const OfficeOptions& Options() const { return options_; }

    // S_OK once connected: reuses a live connection, else reaches an office
    // accepting on the pipe or starts one; CO_E_SERVER_EXEC_FAILURE when the
    // office fails to start or does not answer within the timeout.
    HRESULT Connect();
    bool IsConnected() const;

    // Runs `work` on the office thread, bounded by the timeout. `work` must
    // own everything it uses (capture by value): after a timeout it may still
    // be running when Run has returned. UNO exceptions become answers:
    // a disposed object or bridge RPC_E_DISCONNECTED, others
    // DISP_E_EXCEPTION with the office's message.
    OfficeAnswer Run(Work work);

    // The office's desktop; only for work run on the office thread.
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> Desktop() const;

    // Disposes the bridge, as a timeout does (the office goes on running).
    void Disconnect();

private:
    struct Task;
    struct Bridge;
    void Loop();
    OfficeAnswer RunFor(Work work, std::chrono::milliseconds timeout);
    void ConnectOnOfficeThread();  // throws OfficeFailure

    const OfficeOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Task>> queue_;
    bool stopping_ = false;
    std::shared_ptr<Bridge> bridge_;  // guarded by mutex_
    std::thread thread_;
};

}  // namespace velars
