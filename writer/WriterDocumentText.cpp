#include "writer/WriterDocumentText.h"

#include "writer/OfficeSession.h"

namespace velars {

WriterDocumentText::WriterDocumentText(std::shared_ptr<OfficeSession> officeSession,
                                       std::shared_ptr<HeldDocuments> heldDocuments,
                                       HeldDocument document)
    : session(std::move(officeSession)),
      hold(std::move(heldDocuments)),
      held(std::move(document)),
      model(held.model) {}

WriterDocumentText::~WriterDocumentText() {
    // The calculator has let go of the document: its report has ended.
    // Known by its frame's name: no proxy of the document is kept for later.
    session->Post([hold = hold, frameName = held.frameName] {
        hold->Release(frameName);
        return com::sun::star::uno::Any();
    });
}

}  // namespace velars
