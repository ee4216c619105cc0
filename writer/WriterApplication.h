#pragma once
// The application side of the Writer server, what "Word.Application"
// creates: Visible, Documents (Add, Count, Item), a Document (Activate,
// Paragraphs), ActiveWindow (ActivePane, View, Zoom.Percentage), Selection
// (ParagraphFormat: LineSpacing, Alignment), WindowState and Left, Top,
// Width, Height of the active document's window.
//
// Each application object has documents of its own, each a new Writer
// document in a frame (a window) of its own; the application object never
// closes them.

#include <com/sun/star/frame/XModel.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "writer/WriterObject.h"
#include "writer/WriterParagraphs.h"

namespace velars {

struct WriterApplicationState {
    explicit WriterApplicationState(std::shared_ptr<OfficeSession> officeSession)
        : session(std::move(officeSession)) {}

    enum Edge { kLeft, kTop, kWidth, kHeight };

    std::shared_ptr<OfficeSession> session;
    bool visible = false;
    std::vector<std::shared_ptr<WriterDocumentText>> documents;
    std::shared_ptr<WriterDocumentText> active;
    // The placement put last; windows opened later take it too.
    std::optional<int> edges[4];
    int windowState = 0;
};

class WriterApplicationObject : public WriterObject {
public:
    explicit WriterApplicationObject(std::shared_ptr<OfficeSession> session);

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
