#pragma once
// Runs the window's event handlers so that no exception leaves them into
// Qt. An exception that escapes the outermost handler is shown in the
// general error box and the program goes on with the next event.
//
// Handlers nest: setting a field's text from code runs that field's Change
// handler inside the setter. An exception of a nested handler is kept and
// thrown again by RethrowPending() right after the setter returns, so it
// ends the outer handler as it would without Qt's signal dispatch between
// them.

#include <exception>
#include <functional>
#include <utility>

namespace velars {

class EventGuard {
public:
    using Reporter = std::function<void(std::exception_ptr)>;

    explicit EventGuard(Reporter report) : report_(std::move(report)) {}

    template <class Handler>
    void Run(Handler&& handler) noexcept {
        ++depth_;
        try {
            std::forward<Handler>(handler)();
        } catch (...) {
            if (!pending_) pending_ = std::current_exception();
        }
        --depth_;
        if (depth_ == 0 && pending_) ReportPending();
    }

    // A slot that runs `handler` guarded.
    template <class Handler>
    auto Guarded(Handler handler) {
        return [this, handler]() { Run(handler); };
    }

    // Throws the exception a nested handler left, if any.
    void RethrowPending() {
        if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
    }

    int Depth() const { return depth_; }

private:
    void ReportPending() noexcept {
        const std::exception_ptr error = std::exchange(pending_, nullptr);
        try {
            report_(error);
        } catch (...) {
            // The error box itself failed: nothing is left to tell.
        }
    }

    Reporter report_;
    int depth_ = 0;
    std::exception_ptr pending_;
};

}  // namespace velars
