#pragma once
// A recording stand-in for "Word.Application": a tree of dispatch objects
// (application, documents, document, paragraphs, paragraph, range, font,
// window, pane, view, zoom, selection, paragraph format) that logs every
// member access and keeps a small document model, so tests can check both
// the exact call sequence and what ended up in the document.
//
// The objects are strict about the call kinds: a property answers only a get
// or only a put, a method only DISPATCH_METHOD; a put must carry its value as
// the one named argument DISPID_PROPERTYPUT. Anything else fails with
// DISP_E_MEMBERNOTFOUND / DISP_E_PARAMNOTOPTIONAL / DISP_E_BADPARAMCOUNT.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "automation/Dispatch.h"
#include "automation/ObjectFactory.h"
#include "automation/Variant.h"

namespace velars::test {

// One member access as the server saw it.
struct RecordedCall {
    int application = 0;     // 1 for the first application object created
    QString path;            // the object, e.g. "Application.ActiveWindow.ActivePane"
    QString member;          // the name asked for
    LCID lookupLocale = 0;   // locale of GetIDsOfNames
    bool lookedUp = false;   // GetIDsOfNames was called for this access
    bool invoked = false;    // Invoke was called
    std::uint16_t kind = 0;  // DISPATCH_METHOD / _PROPERTYGET / _PROPERTYPUT
    LCID invokeLocale = 0;
    std::vector<Variant> args;  // as received: last argument first
    std::vector<DISPID> namedArgs;
    bool resultRequested = false;
    bool cleanEntry = false;  // EXCEPINFO zeroed and faulty-arg index 0 on entry
    HRESULT answer = S_OK;    // what the server returned (lookup or invoke)

    // "Application.Visible put VT_BOOL -1", "Application.Documents.Item method VT_I4 1",
    // "Application.Documents get", "...Range.Text put VT_BSTR null".
    QString Describe() const;
};

// A value as text: "VT_I4 100", "VT_BSTR \"abc\"", "VT_BSTR null", "VT_EMPTY".
QString DescribeVariant(const Variant& value);

struct FakeParagraph {
    QString text;
    bool textSet = false;
    bool textWasNull = false;  // the last Text put carried a null BSTR
    int size = 0;
    bool bold = false;
    int alignment = 0;
    bool superscript = true;  // so that a missing Superscript put shows
};

struct FakeDocument {
    bool active = false;
    // A new document holds one empty paragraph, as Word's does.
    std::vector<FakeParagraph> paragraphs = {FakeParagraph{}};
};

struct FakeApplication {
    int index = 0;
    bool visible = false;
    int windowState = 1;  // maximised until told otherwise
    int left = -1, top = -1, width = -1, height = -1;
    int zoom = 0;
    int lineSpacing = 0;
    std::vector<std::shared_ptr<FakeDocument>> documents;
};

enum class CreationMode {
    Succeed,     // a new application object
    Throw,       // the creator throws (the server cannot start)
    ReturnNull,  // the creator returns no object
};

enum class FailStage { Lookup, Invoke };

class RecordingWordServer {
public:
    RecordingWordServer();
    ~RecordingWordServer();
    RecordingWordServer(const RecordingWordServer&) = delete;
    RecordingWordServer& operator=(const RecordingWordServer&) = delete;

    // Registers the server as "Word.Application" with the factory.
    void Register(ObjectFactory& factory);
    void SetCreationMode(CreationMode mode);

    // The access number `k` (1-based, counted over the server's life, every
    // member access one) fails at `stage` with `error`. DISP_E_EXCEPTION at
    // Invoke leaves a deferred fill-in function in the EXCEPINFO.
    void FailAtCall(int k, HRESULT error, FailStage stage = FailStage::Invoke);
    // Documents.Count answers `value` instead of the number of documents.
    void AnswerCountWith(Variant value);

    // Member accesses so far, over the server's life (ClearCalls keeps it).
    int Accesses() const;
    int Creations() const;  // creator runs that produced an object
    int CreationAttempts() const;
    const std::vector<RecordedCall>& Calls() const;
    QStringList Described() const;  // Calls() through Describe()
    void ClearCalls();
    // Times a deferred fill-in function this server handed out was called.
    int DeferredFillIns() const;

    // The document model.
    const std::vector<std::shared_ptr<FakeApplication>>& Applications() const;
    // Paths of the dispatch objects somebody still holds a reference to.
    QStringList LiveObjects() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace velars::test
