#pragma once
// The selection of a document's window (the insertion point in a new
// document) and the paragraph formatting of the paragraphs it touches.

#include <memory>

#include "automation/AutomationObject.h"

namespace velars {

class DocumentState;

// Text (read only), ParagraphFormat.
class SelectionObject : public AutomationObject {
public:
    explicit SelectionObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

// LineSpacing (points; 12 is one line) and Alignment of every paragraph the
// selection touches. Paragraphs added later at the end of the document take
// the formatting of the last one.
class ParagraphFormatObject : public AutomationObject {
public:
    explicit ParagraphFormatObject(std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<DocumentState> document_;
};

}  // namespace velars
