#include "writer/OfficeSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <cppuhelper/implbase1.hxx>
#include <rtl/bootstrap.hxx>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "writer/UnoText.h"

extern char** environ;

namespace velars {

namespace uno = com::sun::star::uno;
namespace lang = com::sun::star::lang;
namespace css = com::sun::star;
using Clock = std::chrono::steady_clock;

namespace {

// The process's own UNO context, bootstrapped once from the office
// installation's type libraries; it lives as long as the process.
uno::Reference<uno::XComponentContext> LocalContext(const OfficeOptions& options) {
    static std::mutex mutex;
    static uno::Reference<uno::XComponentContext>* context = nullptr;
    const std::lock_guard lock(mutex);
    if (context == nullptr) {
        // <installation>/program/soffice: the URE's bootstrap file lies beside it.
        const QString folder =
            options.programFolder.isEmpty()
                ? QFileInfo(QFileInfo(options.program).canonicalFilePath()).absolutePath()
                : options.programFolder;
        const QString fundamental = QDir(folder).filePath(QStringLiteral("fundamentalrc"));
        if (!QFileInfo::exists(fundamental)) throw OfficeFailure{CO_E_SERVER_EXEC_FAILURE};
        rtl::Bootstrap::set(OUString("URE_BOOTSTRAP"),
                            ToOUString(QStringLiteral("vnd.sun.star.pathname:") + fundamental));
        context = new uno::Reference<uno::XComponentContext>(
            cppu::defaultBootstrap_InitialComponentContext());
    }
    return *context;
}

// Notes the bridge's end (the office quit, the pipe broke, or we disposed it).
class BridgeListener : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeListener(std::shared_ptr<std::atomic<bool>> alive) : alive_(std::move(alive)) {}
    void SAL_CALL disposing(const lang::EventObject&) override { *alive_ = false; }

private:
    std::shared_ptr<std::atomic<bool>> alive_;
};

// Starts the office in a session of its own (so that no signal meant for the
// calculator reaches it), its output discarded. The pid, or -1.
pid_t StartOffice(const OfficeOptions& options, const QString& pipe) {
    QStringList arguments{options.program, QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe),
                          QStringLiteral("--nologo"), QStringLiteral("--nodefault")};
    arguments += options.extraArguments;
    std::vector<QByteArray> encoded;
    for (const QString& argument : arguments) encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : encoded) argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return failed ? -1 : pid;
}

// Waits for the office's first process in the background, so that it leaves
// no zombie behind when it ends while the calculator runs.
void ReapLater(pid_t pid) {
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
}

}  // namespace

struct OfficeSession::Task {
    Work work;
    bool call = true;  // a call of the calculator's, not posted work
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    OfficeAnswer answer;
};

struct OfficeSession::Bridge {
    uno::Reference<lang::XComponent> component;
    uno::Reference<css::frame::XDesktop2> desktop;
    std::shared_ptr<std::atomic<bool>> alive = std::make_shared<std::atomic<bool>>(true);
    bool ready = false;
};

OfficeSession::OfficeSession(OfficeOptions options)
    : options_(std::move(options)), reportPause_(options_.reportPause) {
    thread_ = std::thread([this] { Loop(); });
}

OfficeSession::~OfficeSession() {
    // What the last burst still holds in the office is released first.
    std::function<void()> pauseWork;
    {
        const std::lock_guard lock(mutex_);
        pauseWork = pauseWork_;
    }
    if (pauseWork && IsConnected())
        RunFor(
            [pauseWork] {
                pauseWork();
                return uno::Any();
            },
            options_.timeout, false);
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    // A call still waiting on the office (after a timeout) is released by
    // the bridge's end; the office and its documents stay.
    Disconnect();
    thread_.join();
}

void OfficeSession::Loop() {
    for (;;) {
        std::shared_ptr<Task> task;
        std::function<void()> pauseWork;
        {
            std::unique_lock lock(mutex_);
            const auto woken = [this] { return stopping_ || !queue_.empty(); };
            for (;;) {
                if (!queue_.empty()) {
                    task = std::move(queue_.front());
                    queue_.pop_front();
                    break;
                }
                if (stopping_) return;
                if (burst_ && pauseWork_) {
                    // Anything that wakes the thread is looked at afresh.
                    if (const auto end = lastCall_ + reportPause_; Clock::now() < end) {
                        wake_.wait_until(lock, end);
                        continue;
                    }
                    burst_ = false;
                    pauseWork = pauseWork_;
                    break;
                }
                wake_.wait(lock, woken);
            }
        }
        if (pauseWork) {
            try {
                pauseWork();
            } catch (...) {
                // Ending a report never fails a call: nothing waits for it.
            }
            continue;
        }
        {
            const std::lock_guard lock(task->mutex);
            if (task->abandoned) continue;
        }
        OfficeAnswer answer;
        try {
            answer.value = task->work();
        } catch (const OfficeFailure& failure) {
            answer.hr = failure.hr;
        } catch (const lang::DisposedException&) {
            answer.hr = RPC_E_DISCONNECTED;
        } catch (const uno::RuntimeException& error) {
            // A broken bridge throws runtime exceptions of its own.
            answer.hr = IsConnected() ? DISP_E_EXCEPTION : RPC_E_DISCONNECTED;
            answer.message = FromOUString(error.Message);
        } catch (const uno::Exception& error) {
            answer.hr = DISP_E_EXCEPTION;
            answer.message = FromOUString(error.Message);
        } catch (...) {
            answer.hr = E_UNEXPECTED;
        }
        task->work = nullptr;  // what it holds goes on this thread
        if (task->call) {
            const std::lock_guard lock(mutex_);
            burst_ = true;
            lastCall_ = Clock::now();
        }
        {
            const std::lock_guard lock(task->mutex);
            task->answer = std::move(answer);
            task->done = true;
        }
        task->finished.notify_all();
    }
}

OfficeAnswer OfficeSession::Run(Work work) { return RunFor(std::move(work), options_.timeout); }

std::shared_ptr<OfficeSession::Task> OfficeSession::Enqueue(Work work, bool call) {
    auto task = std::make_shared<Task>();
    task->work = std::move(work);
    task->call = call;
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(task);
    }
    wake_.notify_all();
    return task;
}

void OfficeSession::Post(Work work) { Enqueue(std::move(work), false); }

void OfficeSession::SetPauseWork(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    pauseWork_ = std::move(work);
}

void OfficeSession::SetBridgeEndWork(std::function<void()> work) {
    const std::lock_guard lock(mutex_);
    bridgeEndWork_ = std::move(work);
}

void OfficeSession::SetReportPause(std::chrono::milliseconds pause) {
    {
        const std::lock_guard lock(mutex_);
        reportPause_ = pause;
    }
    wake_.notify_all();
}

OfficeAnswer OfficeSession::RunFor(Work work, std::chrono::milliseconds timeout, bool call) {
    const std::shared_ptr<Task> task = Enqueue(std::move(work), call);
    std::unique_lock lock(task->mutex);
    if (task->finished.wait_for(lock, timeout, [&] { return task->done; }))
        return std::move(task->answer);
    task->abandoned = true;
    lock.unlock();
    Disconnect();
    OfficeAnswer answer;
    answer.hr = RPC_E_DISCONNECTED;
    return answer;
}

bool OfficeSession::IsConnected() const {
    const std::lock_guard lock(mutex_);
    return bridge_ && bridge_->ready && *bridge_->alive;
}

uno::Reference<css::frame::XDesktop2> OfficeSession::Desktop() const {
    const std::lock_guard lock(mutex_);
    if (!bridge_ || !*bridge_->alive) throw lang::DisposedException();
    return bridge_->desktop;
}

void OfficeSession::Disconnect() {
    std::shared_ptr<Bridge> bridge;
    {
        const std::lock_guard lock(mutex_);
        bridge = std::move(bridge_);
    }
    if (bridge && bridge->component.is()) {
        try {
            bridge->component->dispose();
        } catch (...) {
        }
    }
}

HRESULT OfficeSession::Connect() {
    if (IsConnected()) return S_OK;
    Disconnect();  // what is left of an ended bridge
    // Starting is bounded inside; the margin lets it end by itself.
    const OfficeAnswer answer = RunFor(
        [this] {
            ConnectOnOfficeThread();
            return uno::Any();
        },
        options_.timeout + std::chrono::milliseconds(500));
    if (FAILED(answer.hr)) {
        Disconnect();
        return CO_E_SERVER_EXEC_FAILURE;
    }
    return S_OK;
}

void OfficeSession::ConnectOnOfficeThread() {
    const auto deadline = Clock::now() + options_.timeout;
    {
        std::function<void()> bridgeEndWork;
        {
            const std::lock_guard lock(mutex_);
            bridgeEndWork = bridgeEndWork_;
        }
        if (bridgeEndWork) bridgeEndWork();
    }
    const uno::Reference<uno::XComponentContext> local = LocalContext(options_);
    const QString pipe = options_.pipeName.isEmpty() ? QStringLiteral("velars-tp-office")
                                                     : options_.pipeName;
    const uno::Reference<css::connection::XConnector> connector =
        css::connection::Connector::create(local);
    const OUString description = ToOUString(QStringLiteral("pipe,name=") + pipe);
    const auto tryConnect = [&]() -> uno::Reference<css::connection::XConnection> {
        try {
            return connector->connect(description);
        } catch (const css::connection::NoConnectException&) {
            return {};
        }
    };

    // An office already accepting on the pipe (started by an earlier report
    // or an earlier run of the calculator) is reused as it is.
    uno::Reference<css::connection::XConnection> connection = tryConnect();
    pid_t child = -1;
    if (!connection.is()) {
        child = StartOffice(options_, pipe);
        if (child < 0) throw OfficeFailure{CO_E_SERVER_EXEC_FAILURE};
        const auto giveUp = [&child] {
            if (child > 0) {
                // Ours and still not answering: it goes with everything it started.
                kill(-child, SIGKILL);
                kill(child, SIGKILL);
                waitpid(child, nullptr, 0);
            }
            throw OfficeFailure{CO_E_SERVER_EXEC_FAILURE};
        };
        while (!connection.is()) {
            int status = 0;
            if (child > 0 && waitpid(child, &status, WNOHANG) == child) {
                child = -1;
                // 0: the request went to an office that was already running.
                if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) giveUp();
            }
            if (Clock::now() >= deadline) giveUp();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            connection = tryConnect();
        }
    }
    if (child > 0) ReapLater(child);

    auto bridge = std::make_shared<Bridge>();
    const uno::Reference<css::bridge::XBridge> urp =
        css::bridge::BridgeFactory::create(local)->createBridge(OUString(), OUString("urp"),
                                                                connection, nullptr);
    bridge->component.set(urp, uno::UNO_QUERY_THROW);
    bridge->component->addEventListener(new BridgeListener(bridge->alive));
    {
        // From here a timeout disposes this bridge and releases the call.
        const std::lock_guard lock(mutex_);
        bridge_ = bridge;
    }
    const uno::Reference<uno::XComponentContext> remote(
        urp->getInstance(OUString("StarOffice.ComponentContext")), uno::UNO_QUERY_THROW);
    bridge->desktop = css::frame::Desktop::create(remote);
    const std::lock_guard lock(mutex_);
    if (bridge_ != bridge) throw OfficeFailure{CO_E_SERVER_EXEC_FAILURE};
    bridge->ready = true;
}

}  // namespace velars
