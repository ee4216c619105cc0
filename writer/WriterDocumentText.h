#pragma once
// One document of the Writer server as its automation objects share it: the
// office's model, how the hold knows it, and what the server has read of its
// text. Every automation object of the document keeps it; when the last one
// goes (the calculator has released the document's objects), the report in
// the document ends (HeldDocuments.h).

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <memory>
#include <optional>
#include <vector>

#include "writer/HeldDocuments.h"

namespace velars {

class OfficeSession;

// One paragraph: its text range and its properties.
struct WriterParagraph {
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> range;
    com::sun::star::uno::Reference<com::sun::star::beans::XPropertySet> properties;
};

class WriterDocumentText {
public:
    WriterDocumentText(std::shared_ptr<OfficeSession> session, std::shared_ptr<HeldDocuments> hold,
                       HeldDocument held);
    ~WriterDocumentText();
    WriterDocumentText(const WriterDocumentText&) = delete;
    WriterDocumentText& operator=(const WriterDocumentText&) = delete;

    const std::shared_ptr<OfficeSession> session;
    const std::shared_ptr<HeldDocuments> hold;
    const HeldDocument held;
    const com::sun::star::uno::Reference<com::sun::star::frame::XModel> model;

    // The body text and a cursor kept at its end, once read.
    com::sun::star::uno::Reference<com::sun::star::text::XText> text;
    com::sun::star::uno::Reference<com::sun::star::text::XParagraphCursor> end;
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> endRange;
    // The paragraphs in order, as last read.
    std::optional<std::vector<WriterParagraph>> paragraphs;
};

}  // namespace velars
