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

#include "writer/WriterDocumentText.h"
#include "writer/WriterObject.h"

namespace velars {

class WriterParagraphsObject : public WriterObject {
public:
    explicit WriterParagraphsObject(std::shared_ptr<WriterDocumentText> document);

private:
    // Reads the paragraph list when it is not known yet.
    HRESULT Load(const MemberCall& call);

    std::shared_ptr<WriterDocumentText> document_;
};

class WriterParagraphObject : public WriterObject {
public:
    WriterParagraphObject(std::shared_ptr<WriterDocumentText> document, WriterParagraph paragraph);
};

class WriterRangeObject : public WriterObject {
public:
    WriterRangeObject(std::shared_ptr<WriterDocumentText> document, WriterParagraph paragraph);
};

class WriterFontObject : public WriterObject {
public:
    WriterFontObject(std::shared_ptr<WriterDocumentText> document, WriterParagraph paragraph);
};

}  // namespace velars
