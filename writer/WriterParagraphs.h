#pragma once
// The paragraphs of a Writer document as Word addresses them: Paragraphs
// (Add appends an empty paragraph at the end; Item by 1-based position;
// Count), a Paragraph (Range, Alignment), its Range (Text without the
// paragraph mark, Font) and the Font (Size in points, Bold, Superscript) set
// on the whole paragraph.

#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XTextRange.hpp>

#include "writer/WriterObject.h"

namespace velars {

using WriterParagraph = com::sun::star::uno::Reference<com::sun::star::text::XTextRange>;

class WriterParagraphsObject : public WriterObject {
public:
    WriterParagraphsObject(std::shared_ptr<OfficeSession> session,
                           com::sun::star::uno::Reference<com::sun::star::frame::XModel> document);
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
