#include "docserver/DocumentState.h"

#include <QCoreApplication>

#include "docserver/DocumentWindow.h"

namespace velars {

DocumentState::DocumentState(DocumentWindow* window) : window_(window) {}

DocumentState::~DocumentState() {
    // Widgets may only go while the application object exists.
    if (window_ && QCoreApplication::instance() && !window_->isVisible()) delete window_.data();
}

DocumentWindow* DocumentState::Window() const { return window_.data(); }

bool DocumentState::IsOpen() const { return !window_.isNull(); }

QTextDocument* DocumentState::Document() const { return window_ ? window_->Document() : nullptr; }

}  // namespace velars
