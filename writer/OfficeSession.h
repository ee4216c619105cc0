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
//
// The end of a burst of calls is marked: once no call has come for the
// options' report pause, the office thread runs the session's pause work
// (the Writer server ends its reports there), and once more before the
// session ends.

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
    // be running when Run has returned. The session itself it reaches by a
    // plain pointer (the session ends only after its work): work that owned
    // the session could end it on the office thread. UNO exceptions become answers:
    // a disposed object or bridge RPC_E_DISCONNECTED, others
    // DISP_E_EXCEPTION with the office's message.
    OfficeAnswer Run(Work work);

    // Queues `work` for the office thread without waiting for its answer
    // (what a destructor asks for). It is not a call: it starts no burst.
    // It is bounded as every call is: a call queued behind it waits no
    // longer than the timeout, and that timeout disconnects, which ends it.
    void Post(Work work);

    // The work for the end of each burst of calls (see above); it runs on
    // the office thread, must own what it uses and may throw (it is caught).
    void SetPauseWork(std::function<void()> work);
    // Another pause from now on (tests hold a report open with a long one).
    void SetReportPause(std::chrono::milliseconds pause);
    // Work the office thread runs before it makes a new bridge: it must let
    // go of every object reached through an earlier one. (The office hands
    // out each of its objects under one identity; a proxy of an ended bridge
    // still held would stand in for that object on the new bridge, and every
    // call on it would fail.)
    void SetBridgeEndWork(std::function<void()> work);

    // The office's desktop; only for work run on the office thread.
    com::sun::star::uno::Reference<com::sun::star::frame::XDesktop2> Desktop() const;

    // Disposes the bridge, as a timeout does (the office goes on running).
    void Disconnect();

private:
    struct Task;
    struct Bridge;
    void Loop();
    std::shared_ptr<Task> Enqueue(Work work, bool call);
    OfficeAnswer RunFor(Work work, std::chrono::milliseconds timeout, bool call = true);
    void ConnectOnOfficeThread();  // throws OfficeFailure

    const OfficeOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::shared_ptr<Task>> queue_;
    bool stopping_ = false;
    // A call has run since the pause work last ran, the last one ending at
    // lastCall_; guarded by mutex_.
    bool burst_ = false;
    std::chrono::steady_clock::time_point lastCall_;
    std::chrono::milliseconds reportPause_;  // guarded by mutex_
    std::function<void()> pauseWork_;        // guarded by mutex_
    std::function<void()> bridgeEndWork_;    // guarded by mutex_
    std::shared_ptr<Bridge> bridge_;         // guarded by mutex_
    std::thread thread_;
};

}  // namespace velars
