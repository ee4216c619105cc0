#pragma once
// The documents of an application object: the Documents collection and one
// Document.

#include <memory>

#include "automation/AutomationObject.h"

namespace velars {

class ApplicationState;
class DocumentState;

// Add (a new empty document in a window of its own, made active; returns it),
// Count, Item(index from 1, or the document's name).
class DocumentsObject : public AutomationObject {
public:
    explicit DocumentsObject(std::shared_ptr<ApplicationState> application);

private:
    std::shared_ptr<ApplicationState> application_;
};

// Activate, Paragraphs, Name, Saved (false while there are unsaved changes;
// putting true forgets them), SaveAs2(FileName[, FileFormat]): writes the
// document to the file in the word processor's format code (12 or 16 Word
// document, 17 PDF, 23 OpenDocument text; without a code, the file name's
// extension decides, a Word document for any other).
class DocumentObject : public AutomationObject {
public:
    DocumentObject(std::shared_ptr<ApplicationState> application,
                   std::shared_ptr<DocumentState> document);

protected:
    HRESULT CheckConnected() const override;

private:
    std::shared_ptr<ApplicationState> application_;
    std::shared_ptr<DocumentState> document_;
};

}  // namespace velars
