#pragma once
// The paragraph part of a document's object model: the Paragraphs
// collection, one Paragraph, the Range of a paragraph and its Font.

#include <memory>

#include "automation/AutomationObject.h"
#include "docserver/ParagraphEditing.h"

namespace velars {

class DocumentState;

// Add (appends an empty paragraph at the end, returns it), Item(index, from
// 1; DISP_E_BADINDEX outside 1..Count), Count.
class ParagraphsObject : public AutomationObject {
public:
    explicit ParagraphsObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

// Range, Alignment (0 left, 1 centred, 2 right, 3 justified).
class ParagraphObject : public AutomationObject {
public:
    explicit ParagraphObject(ParagraphRef paragraph);

protected:
    HRESULT CheckConnected() const override;

private:
    ParagraphRef paragraph_;
};

// Text (the paragraph's text without its mark), Font.
class RangeObject : public AutomationObject {
public:
    explicit RangeObject(ParagraphRef paragraph);

protected:
    HRESULT CheckConnected() const override;

private:
    ParagraphRef paragraph_;
};

// Size (points), Bold, Superscript. A property that varies over the
// paragraph reads 9999999, as an undefined value does.
class FontObject : public AutomationObject {
public:
    explicit FontObject(ParagraphRef paragraph);

protected:
    HRESULT CheckConnected() const override;

private:
    ParagraphRef paragraph_;
};

}  // namespace velars
