#include "writer/HeldDocuments.h"

#include <QCoreApplication>
#include <com/sun/star/awt/XTopWindow.hpp>
#include <com/sun/star/frame/FrameSearchFlag.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <algorithm>
#include <atomic>

#include "writer/OfficeSession.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"

namespace velars {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using Model = uno::Reference<css::frame::XModel>;

WindowWish::Values WindowWish::Get() const {
    const std::lock_guard lock(mutex_);
    return values_;
}

void WindowWish::SetVisible(bool visible) {
    const std::lock_guard lock(mutex_);
    values_.visible = visible;
}

void WindowWish::SetState(int state) {
    const std::lock_guard lock(mutex_);
    values_.state = state;
}

void WindowWish::SetEdge(Edge edge, int pixels) {
    const std::lock_guard lock(mutex_);
    values_.edges[edge] = pixels;
}

OUString HeldDocuments::NewFrameName() {
    static std::atomic<unsigned> next{0};
    return ToOUString(QStringLiteral("velars-tp-%1-report-%2")
                          .arg(QCoreApplication::applicationPid())
                          .arg(++next));
}

void HeldDocuments::AddHidden(const HeldDocument& document) {
    Entry entry;
    entry.document = document;
    entry.hidden = true;
    entries_.push_back(std::move(entry));
}

bool HeldDocuments::Hidden(const Model& model) const {
    for (const Entry& entry : entries_)
        if (entry.document.model == model) return entry.hidden;
    return false;
}

void HeldDocuments::ReleaseAll() {
    std::vector<Entry> entries = std::move(entries_);
    entries_.clear();
    for (Entry& entry : entries)
        if (!End(entry)) entries_.push_back(std::move(entry));
}

void HeldDocuments::Release(const OUString& frameName) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->document.frameName != frameName) continue;
        Entry entry = std::move(*it);
        entries_.erase(it);
        if (!End(entry)) entries_.push_back(std::move(entry));
        return;
    }
}

void HeldDocuments::ForgetModels() {
    for (Entry& entry : entries_) entry.document.model.clear();
}

bool HeldDocuments::End(Entry& entry) {
    if (entry.document.model.is()) {
        try {
            Finish(entry.document.model, entry);
            return true;
        } catch (const uno::RuntimeException&) {
            // Closed, or held through a bridge that has ended.
        }
    }
    if (!session_.IsConnected()) {
        entry.document.model.clear();
        return false;
    }
    Model model;
    try {
        const uno::Reference<css::frame::XFrame> frame = session_.Desktop()->findFrame(
            entry.document.frameName, css::frame::FrameSearchFlag::ALL);
        if (!frame.is() || !frame->getController().is()) return true;  // closed
        model = frame->getController()->getModel();
    } catch (const uno::RuntimeException&) {
        return true;
    }
    try {
        Finish(model, entry);
        return true;
    } catch (const uno::RuntimeException&) {
        // An object of the ended bridge still stands for the document here;
        // once it is let go of, a later pause ends the report.
        entry.document.model.clear();
        return false;
    }
}

void HeldDocuments::Finish(const Model& model, const Entry& entry) {
    if (!model.is() || !entry.hidden || !entry.document.wish) return;
    const WindowWish::Values wish = entry.document.wish->Get();
    if (!wish.visible) return;
    const uno::Reference<css::awt::XWindow> window = WindowOf(model);
    // A hidden window answers no place of its own: placed whole, it opens
    // there; placed in part, it is placed once it is shown.
    ApplyWindowState(model, wish.state);
    const bool whole = std::all_of(std::begin(wish.edges), std::end(wish.edges),
                                   [](const std::optional<int>& edge) { return edge.has_value(); });
    if (wish.state == 0 && whole) PlaceWindow(window, wish.edges);
    window->setVisible(true);
    if (wish.state == 0 && !whole) PlaceWindow(window, wish.edges);
    const uno::Reference<css::awt::XTopWindow> top(window, uno::UNO_QUERY);
    if (top.is()) top->toFront();
}

}  // namespace velars
