#pragma once
// The application side of the Writer server, what "Word.Application"
// creates: Visible, Documents (Add, Count, Item), a Document (Activate,
// Paragraphs), ActiveWindow (ActivePane, View, Zoom.Percentage), Selection
// (ParagraphFormat: LineSpacing, Alignment), WindowState and Left, Top,
// Width, Height of the active document's window.
//
// Each application object has documents of its own, each a new Writer
// document in a frame (a window) of its own; the application object never
// closes them. A new document's window is shown when the report in it ends
// (HeldDocuments.h): the window state and placement put before then are
// answered as put and taken when it is shown.

#include <com/sun/star/frame/XModel.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "writer/HeldDocuments.h"
#include "writer/WriterObject.h"
#include "writer/WriterParagraphs.h"

namespace velars {

struct WriterApplicationState {
    WriterApplicationState(std::shared_ptr<OfficeSession> officeSession,
                           std::shared_ptr<HeldDocuments> heldDocuments)
        : session(std::move(officeSession)), hold(std::move(heldDocuments)) {}

    std::shared_ptr<OfficeSession> session;
    std::shared_ptr<HeldDocuments> hold;
    // Visible, WindowState and the placement as put.
    std::shared_ptr<WindowWish> wish = std::make_shared<WindowWish>();
    std::vector<std::shared_ptr<WriterDocumentText>> documents;
    std::shared_ptr<WriterDocumentText> active;
};

class WriterApplicationObject : public WriterObject {
public:
    WriterApplicationObject(std::shared_ptr<OfficeSession> session,
                            std::shared_ptr<HeldDocuments> hold);

private:
    std::shared_ptr<WriterApplicationState> state_;
};

class WriterDocumentsObject : public WriterObject {
public:
    explicit WriterDocumentsObject(std::shared_ptr<WriterApplicationState> application);

private:
    std::shared_ptr<WriterApplicationState> application_;
};

class WriterDocumentObject : public WriterObject {
public:
    WriterDocumentObject(std::shared_ptr<WriterApplicationState> application,
                         std::shared_ptr<WriterDocumentText> document);

private:
    std::shared_ptr<WriterApplicationState> application_;
    std::shared_ptr<WriterDocumentText> document_;
};

}  // namespace velars
