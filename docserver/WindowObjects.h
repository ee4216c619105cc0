#pragma once
// The view side of a document's window: Window, its Pane, the View and its
// Zoom.

#include <memory>

#include "automation/AutomationObject.h"

namespace velars {

class DocumentState;

// Caption, ActivePane, View.
class WindowObject : public AutomationObject {
public:
    explicit WindowObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

// View.
class PaneObject : public AutomationObject {
public:
    explicit PaneObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

// Zoom.
class ViewObject : public AutomationObject {
public:
    explicit ViewObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

// Percentage (10 to 500): the zoom of the page on screen.
class ZoomObject : public AutomationObject {
public:
    explicit ZoomObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

}  // namespace velars
