#pragma once
// The state of one application object of the document server: whether its
// windows are shown, the window placement asked for, its documents (each in
// a window of its own) and which of them is active.

#include <memory>
#include <optional>
#include <vector>

namespace velars {

class DocumentState;
class DocumentWindow;
class PlatformServices;

class ApplicationState {
public:
    enum class Edge { Left, Top, Width, Height };
    enum WindowStateCode { kNormal = 0, kMaximized = 1, kMinimized = 2 };

    // `hidden`: Visible is remembered, but no window is ever shown.
    explicit ApplicationState(PlatformServices& platform, bool hidden = false);

    bool Visible() const { return visible_; }
    // Shows or hides every open document window.
    void SetVisible(bool visible);

    // The open documents in the order they were added; closed ones drop out.
    std::vector<std::shared_ptr<DocumentState>> Documents();
    // A new empty document in a new window, made the active one.
    std::shared_ptr<DocumentState> AddDocument();
    // The active document, or the last open one when it has been closed;
    // null without open documents.
    std::shared_ptr<DocumentState> ActiveDocument();
    void Activate(const std::shared_ptr<DocumentState>& document);

    // Placement of the active document window (outer frame, pixels); the
    // last values put apply to windows opened later.
    int Geometry(Edge edge);
    void SetGeometry(Edge edge, int value);
    int WindowState();
    void SetWindowState(WindowStateCode state);

private:
    void Place(DocumentWindow& window, Edge edge, int value) const;
    void ApplyState(DocumentWindow& window) const;
    DocumentWindow* ActiveWindow();

    PlatformServices& platform_;
    bool hidden_ = false;
    bool visible_ = false;
    std::vector<std::shared_ptr<DocumentState>> documents_;
    std::weak_ptr<DocumentState> active_;
    std::optional<int> left_, top_, width_, height_;
    WindowStateCode windowState_ = kNormal;
};

}  // namespace velars
