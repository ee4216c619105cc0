#pragma once
// The paragraphs of a Writer document as Word addresses them: Paragraphs
// (Add appends an empty paragraph at the end; Item by 1-based position;
// Count), a Paragraph (Range, Alignment), its Range (Text without the
// paragraph mark, Font) and the Font (Size in points, Bold, Superscript) set
// on the whole paragraph.
//
// Every call into the office crosses a process boundary, so the server keeps
// the document's paragraphs in order once it has read them: appending at the
// end (the only change the server makes to the paragraph order) reads just
// the last two again, and Item answers from the list. Count reads the
// document afresh.

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <optional>
#include <vector>

#include "writer/WriterObject.h"

namespace velars {

// One paragraph: its text range and its properties, and its document.
struct WriterParagraph {
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> range;
    com::sun::star::uno::Reference<com::sun::star::beans::XPropertySet> properties;
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> document;
};

// A document of the server and its paragraphs as last read.
struct WriterDocumentText {
    explicit WriterDocumentText(com::sun::star::uno::Reference<com::sun::star::frame::XModel> m)
        : model(std::move(m)) {}
    com::sun::star::uno::Reference<com::sun::star::frame::XModel> model;
    // The body text and a cursor kept at its end, once read.
    com::sun::star::uno::Reference<com::sun::star::text::XText> text;
    com::sun::star::uno::Reference<com::sun::star::text::XParagraphCursor> end;
    com::sun::star::uno::Reference<com::sun::star::text::XTextRange> endRange;
    std::optional<std::vector<WriterParagraph>> paragraphs;
};

class WriterParagraphsObject : public WriterObject {
public:
    WriterParagraphsObject(std::shared_ptr<OfficeSession> session,
                           std::shared_ptr<WriterDocumentText> document);

private:
    // Reads the paragraph list when it is not known yet.
    HRESULT Load(const MemberCall& call);

    std::shared_ptr<WriterDocumentText> document_;
};

class WriterParagraphObject : public WriterObject {
public:
    WriterParagraphObject(std::shared_ptr<OfficeSession> session, WriterParagraph paragraph);
};

class WriterRangeObject : public WriterObject {
public:
    WriterRangeObject(std::shared_ptr<OfficeSession> session, WriterParagraph paragraph);
};

class WriterFontObject : public WriterObject {
public:
    WriterFontObject(std::shared_ptr<OfficeSession> session, WriterParagraph paragraph);
};

}  // namespace velars
