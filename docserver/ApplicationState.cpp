#include "docserver/ApplicationState.h"

#include <algorithm>

#include "docserver/DocumentState.h"
#include "docserver/DocumentWindow.h"

namespace velars {
namespace {

// Documents are numbered across the whole program, as new documents are.
int NextDocumentNumber() {
    static int last = 0;
    return ++last;
}

}  // namespace

ApplicationState::ApplicationState(PlatformServices& platform, bool hidden)
    : platform_(platform), hidden_(hidden) {}

void ApplicationState::SetVisible(bool visible) {
    visible_ = visible;
    if (hidden_) return;
    for (const auto& document : Documents()) {
        DocumentWindow* window = document->Window();
        if (visible)
            window->show();
        else
            window->hide();
    }
    if (visible) {
        if (DocumentWindow* window = ActiveWindow()) {
            window->raise();
            window->activateWindow();
        }
    }
}

std::vector<std::shared_ptr<DocumentState>> ApplicationState::Documents() {
    documents_.erase(std::remove_if(documents_.begin(), documents_.end(),
                                    [](const auto& document) { return !document->IsOpen(); }),
                     documents_.end());
    return documents_;
}

std::shared_ptr<DocumentState> ApplicationState::AddDocument() {
    auto* window = new DocumentWindow(platform_, NextDocumentNumber());
    auto document = std::make_shared<DocumentState>(window);
    for (const auto& [edge, value] :
         {std::pair{Edge::Left, left_}, std::pair{Edge::Top, top_}, std::pair{Edge::Width, width_},
          std::pair{Edge::Height, height_}}) {
        if (value) Place(*window, edge, *value);
    }
    ApplyState(*window);
    documents_.push_back(document);
    active_ = document;
    if (visible_ && !hidden_) {
        window->show();
        window->raise();
        window->activateWindow();
    }
    return document;
}

std::shared_ptr<DocumentState> ApplicationState::ActiveDocument() {
    const auto open = Documents();
    if (auto active = active_.lock(); active && active->IsOpen()) return active;
    return open.empty() ? nullptr : open.back();
}

void ApplicationState::Activate(const std::shared_ptr<DocumentState>& document) {
    active_ = document;
    DocumentWindow* window = document->Window();
    if (window && window->isVisible()) {
        window->raise();
        window->activateWindow();
    }
}

DocumentWindow* ApplicationState::ActiveWindow() {
    const auto active = ActiveDocument();
    return active ? active->Window() : nullptr;
}

int ApplicationState::Geometry(Edge edge) {
    if (DocumentWindow* window = ActiveWindow()) {
        const QRect frame = window->frameGeometry();
        switch (edge) {
        case Edge::Left: return frame.x();
        case Edge::Top: return frame.y();
        case Edge::Width: return frame.width();
        case Edge::Height: return frame.height();
        }
    }
    switch (edge) {
    case Edge::Left: return left_.value_or(0);
    case Edge::Top: return top_.value_or(0);
    case Edge::Width: return width_.value_or(0);
    case Edge::Height: return height_.value_or(0);
    }
    return 0;
}

void ApplicationState::SetGeometry(Edge edge, int value) {
    switch (edge) {
    case Edge::Left: left_ = value; break;
    case Edge::Top: top_ = value; break;
    case Edge::Width: width_ = value; break;
    case Edge::Height: height_ = value; break;
    }
    if (DocumentWindow* window = ActiveWindow()) Place(*window, edge, value);
}

void ApplicationState::Place(DocumentWindow& window, Edge edge, int value) const {
    // Left and Top place the outer frame; Width and Height size it, frame
    // included (the frame is known once the window has been shown).
    const QRect frame = window.frameGeometry();
    const QSize extra = frame.size() - window.size();
    switch (edge) {
    case Edge::Left: window.move(value, frame.y()); break;
    case Edge::Top: window.move(frame.x(), value); break;
    case Edge::Width: window.resize(std::max(1, value - extra.width()), window.height()); break;
    case Edge::Height: window.resize(window.width(), std::max(1, value - extra.height())); break;
    }
}

int ApplicationState::WindowState() {
    if (DocumentWindow* window = ActiveWindow()) {
        if (window->isMinimized()) return kMinimized;
        if (window->isMaximized()) return kMaximized;
        return kNormal;
    }
    return windowState_;
}

void ApplicationState::SetWindowState(WindowStateCode state) {
    windowState_ = state;
    if (DocumentWindow* window = ActiveWindow()) ApplyState(*window);
}

void ApplicationState::ApplyState(DocumentWindow& window) const {
    Qt::WindowStates states = window.windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized);
    if (windowState_ == kMaximized)
        states |= Qt::WindowMaximized;
    else if (windowState_ == kMinimized)
        states |= Qt::WindowMinimized;
    window.setWindowState(states);
}

}  // namespace velars
