#pragma once
// The application object of the document server, what "Word.Application"
// creates: Visible, Documents, ActiveDocument, ActiveWindow, Selection,
// WindowState (0 normal, 1 maximised, 2 minimised) and Left, Top, Width,
// Height (the outer frame of the active document window, in pixels).

#include <memory>

#include "automation/AutomationObject.h"

namespace velars {

class ApplicationState;
class PlatformServices;

class ApplicationObject : public AutomationObject {
public:
    // `hidden`: no document window is ever shown (see DocumentServer.h).
    explicit ApplicationObject(PlatformServices& platform, bool hidden = false);

private:
    std::shared_ptr<ApplicationState> state_;
};

}  // namespace velars
