#pragma once
// The base of every automation object of the Writer server: the member table
// of the document server's objects, and calls into the office through the
// session, bounded, with UNO failures answered as automation errors.

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <functional>
#include <memory>

#include "automation/AutomationObject.h"
#include "writer/OfficeSession.h"
#include "writer/WriterDocumentText.h"

namespace velars {

class WriterObject : public AutomationObject {
protected:
    explicit WriterObject(std::shared_ptr<OfficeSession> session) : session_(std::move(session)) {}
    // An object of one document: it keeps the document (its report has not
    // ended while the object is there).
    explicit WriterObject(std::shared_ptr<WriterDocumentText> document)
        : session_(document->session), owner_(std::move(document)) {}

    // Runs `work` in the office; S_OK with its value in `value` (when given),
    // RPC_E_DISCONNECTED when the object's document or the office is gone,
    // the office's own message through the exception record otherwise.
    HRESULT Office(const MemberCall& call, OfficeSession::Work work,
                   com::sun::star::uno::Any* value = nullptr) const;

    HRESULT CheckConnected() const override;

    // The property set that carries a paragraph's properties, reached in the
    // office each time a member is read or written.
    using ParagraphProperties =
        std::function<com::sun::star::uno::Reference<com::sun::star::beans::XPropertySet>()>;

    // Alignment (the automation codes 0 to 3 and their Writer adjusts) of the
    // paragraphs `properties` reaches: a paragraph's own or the selection's.
    void AddAlignment(ParagraphProperties properties);

    const std::shared_ptr<OfficeSession> session_;
    // The document the object belongs to, if any: a failure on a document
    // the user has closed answers RPC_E_DISCONNECTED, whatever the office
    // threw (Writer's cursors and ranges throw plain runtime errors then).
    const std::shared_ptr<WriterDocumentText> owner_;
};

}  // namespace velars
