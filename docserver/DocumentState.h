#pragma once
// What the automation objects of one document share: a guarded reference to
// the document's window. The window belongs to the user once shown; when the
// user closes it the reference turns null and the objects answer
// RPC_E_DISCONNECTED. A window that was never shown (or was hidden again)
// goes with the last automation object that refers to it.

#include <QPointer>

class QTextDocument;

namespace velars {

class DocumentWindow;

class DocumentState {
public:
    explicit DocumentState(DocumentWindow* window);
    ~DocumentState();
    DocumentState(const DocumentState&) = delete;
    DocumentState& operator=(const DocumentState&) = delete;

    // Null once the window has been closed.
    DocumentWindow* Window() const;
    QTextDocument* Document() const;
    bool IsOpen() const;

private:
    QPointer<DocumentWindow> window_;
};

}  // namespace velars
