#include "tests/support/RecordingWordServer.h"

#include <atomic>
#include <functional>
#include <stdexcept>

namespace velars::test {

namespace {

std::atomic<int> g_deferredFillIns{0};

HRESULT DeferredFillIn(EXCEPINFO* info) {
    ++g_deferredFillIns;
    info->bstrSource = QStringLiteral("Microsoft Word");
    info->bstrDescription = QStringLiteral("The recording server was told to fail.");
    info->scode = E_FAIL;
    return S_OK;
}

QString KindText(std::uint16_t kind) {
    switch (kind) {
    case DISPATCH_METHOD: return QStringLiteral("method");
    case DISPATCH_PROPERTYGET: return QStringLiteral("get");
    case DISPATCH_PROPERTYPUT: return QStringLiteral("put");
    default: return QStringLiteral("kind%1").arg(kind);
    }
}

enum class ObjectKind {
    Application,
    Documents,
    Document,
    Paragraphs,
    Paragraph,
    Range,
    Font,
    Window,
    Pane,
    View,
    Zoom,
    Selection,
    ParagraphFormat,
};

std::optional<std::int64_t> IntegerOf(const Variant& v) {
    switch (v.vt()) {
    case VT_I2: return v.iVal();
    case VT_I4: return v.lVal();
    case VT_I1: return v.cVal();
    case VT_UI1: return v.bVal();
    case VT_BOOL: return v.boolVal();
    case VT_R8: return static_cast<std::int64_t>(v.dblVal());
    default: return std::nullopt;
    }
}

}  // namespace

QString DescribeVariant(const Variant& value) {
    switch (value.vt()) {
    case VT_EMPTY: return QStringLiteral("VT_EMPTY");
    case VT_NULL: return QStringLiteral("VT_NULL");
    case VT_BOOL: return QStringLiteral("VT_BOOL %1").arg(value.boolVal());
    case VT_I4: return QStringLiteral("VT_I4 %1").arg(value.lVal());
    case VT_I2: return QStringLiteral("VT_I2 %1").arg(value.iVal());
    case VT_I1: return QStringLiteral("VT_I1 %1").arg(int(value.cVal()));
    case VT_UI1: return QStringLiteral("VT_UI1 %1").arg(unsigned(value.bVal()));
    case VT_R8: return QStringLiteral("VT_R8 %1").arg(value.dblVal());
    case VT_BSTR:
        return value.bstrVal() ? QStringLiteral("VT_BSTR \"%1\"").arg(*value.bstrVal())
                               : QStringLiteral("VT_BSTR null");
    case VT_DISPATCH: return QStringLiteral("VT_DISPATCH");
    case VT_UNKNOWN: return QStringLiteral("VT_UNKNOWN");
    default: return QStringLiteral("VT_%1").arg(value.vt());
    }
}

QString RecordedCall::Describe() const {
    QString text = path + QLatin1Char('.') + member + QLatin1Char(' ') + KindText(kind);
    // Arguments arrive last first; show them first to last.
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        text += QLatin1Char(' ') + DescribeVariant(*it);
    return text;
}

class FakeObject;

struct RecordingWordServer::State {
    CreationMode creation = CreationMode::Succeed;
    int creations = 0;
    int attempts = 0;
    int accesses = 0;
    int failAt = 0;
    HRESULT failError = S_OK;
    FailStage failStage = FailStage::Invoke;
    std::optional<Variant> countAnswer;
    int fillInsAtStart = 0;
    std::vector<RecordedCall> calls;
    std::vector<std::shared_ptr<FakeApplication>> applications;
    std::vector<std::weak_ptr<FakeObject>> objects;
};

using State = RecordingWordServer::State;

// One dispatch object of the tree. Members get DISPIDs by their position in
// the object's member list; names are matched without regard to case, as
// Word does.
class FakeObject : public IDispatch {
public:
    FakeObject(std::shared_ptr<State> state, ObjectKind kind, QString path,
               std::shared_ptr<FakeApplication> app, std::shared_ptr<FakeDocument> doc = {},
               int paragraph = -1)
        : state_(std::move(state)),
          kind_(kind),
          path_(std::move(path)),
          app_(std::move(app)),
          doc_(std::move(doc)),
          paragraph_(paragraph) {}

    const QString& Path() const { return path_; }

    HRESULT GetIDsOfNames(const QString* names, unsigned count, LCID lcid, DISPID* ids) override {
        if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
        RecordedCall call;
        call.application = app_->index;
        call.path = path_;
        call.member = names[0];
        call.lookupLocale = lcid;
        call.lookedUp = true;
        const int access = ++state_->accesses;
        HRESULT hr = S_OK;
        const QStringList members = Members();
        ids[0] = DISPID_UNKNOWN;
        for (int i = 0; i < members.size(); ++i) {
            if (members[i].compare(names[0], Qt::CaseInsensitive) == 0) ids[0] = i + 1;
        }
        if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        if (access == state_->failAt && state_->failStage == FailStage::Lookup) {
            hr = state_->failError;
            ids[0] = DISPID_UNKNOWN;
        }
        for (unsigned i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        if (count > 1 && hr == S_OK) hr = DISP_E_UNKNOWNNAME;
        call.answer = hr;
        lastAccess_ = access;
        state_->calls.push_back(call);
        return hr;
    }

    HRESULT Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override {
        const QStringList members = Members();
        if (id < 1 || id > members.size()) return DISP_E_MEMBERNOTFOUND;
        const QString member = members[id - 1];

        // The access that looked this member up, or a new record for an
        // invocation by a remembered DISPID.
        RecordedCall* call = nullptr;
        if (!state_->calls.empty()) {
            RecordedCall& last = state_->calls.back();
            if (last.path == path_ && !last.invoked &&
                last.member.compare(member, Qt::CaseInsensitive) == 0)
                call = &last;
        }
        int access = lastAccess_;
        if (call == nullptr) {
            state_->calls.push_back(RecordedCall{});
            call = &state_->calls.back();
            call->application = app_->index;
            call->path = path_;
            call->member = member;
            access = ++state_->accesses;
        }
        call->invoked = true;
        call->kind = flags;
        call->invokeLocale = lcid;
        call->resultRequested = result != nullptr;
        call->cleanEntry = excepInfo != nullptr && argErr != nullptr && *argErr == 0 &&
                           excepInfo->pfnDeferredFillIn == nullptr && excepInfo->scode == 0 &&
                           excepInfo->wCode == 0 && excepInfo->bstrDescription.isEmpty() &&
                           excepInfo->bstrSource.isEmpty();
        if (params != nullptr) {
            for (unsigned i = 0; i < params->cArgs; ++i) call->args.push_back(params->rgvarg[i]);
            for (unsigned i = 0; i < params->cNamedArgs; ++i)
                call->namedArgs.push_back(params->rgdispidNamedArgs[i]);
        }

        HRESULT hr;
        if (access == state_->failAt && state_->failStage == FailStage::Invoke) {
            hr = state_->failError;
            if (hr == DISP_E_EXCEPTION && excepInfo != nullptr) {
                excepInfo->scode = 0;
                excepInfo->pfnDeferredFillIn = &DeferredFillIn;
            }
        } else {
            hr = Dispatch(member, flags, call->args, call->namedArgs, result);
        }
        call->answer = hr;
        return hr;
    }

private:
    QStringList Members() const {
        switch (kind_) {
        case ObjectKind::Application:
            return {"Visible", "Documents", "ActiveWindow", "WindowState", "Left",
                    "Top",     "Width",     "Height",       "Selection"};
        case ObjectKind::Documents: return {"Add", "Count", "Item"};
        case ObjectKind::Document: return {"Activate", "Paragraphs"};
        case ObjectKind::Paragraphs: return {"Add", "Count", "Item"};
        case ObjectKind::Paragraph: return {"Range", "Alignment"};
        case ObjectKind::Range: return {"Text", "Font"};
        case ObjectKind::Font: return {"Size", "Bold", "Superscript"};
        case ObjectKind::Window: return {"ActivePane"};
        case ObjectKind::Pane: return {"View"};
        case ObjectKind::View: return {"Zoom"};
        case ObjectKind::Zoom: return {"Percentage"};
        case ObjectKind::Selection: return {"ParagraphFormat"};
        case ObjectKind::ParagraphFormat: return {"LineSpacing"};
        }
        return {};
    }

    Variant Child(ObjectKind kind, const QString& step, std::shared_ptr<FakeDocument> doc = {},
                  int paragraph = -1) {
        auto child = std::make_shared<FakeObject>(state_, kind, path_ + QLatin1Char('.') + step,
                                                  app_, doc ? std::move(doc) : doc_,
                                                  paragraph >= 0 ? paragraph : paragraph_);
        state_->objects.push_back(child);
        return Variant::FromDispatch(child);
    }

    // The value of a put, after the checks every put must pass.
    static HRESULT PutValue(const std::vector<Variant>& args, const std::vector<DISPID>& named,
                            const Variant** value) {
        if (named.size() != 1 || named[0] != DISPID_PROPERTYPUT) return DISP_E_PARAMNOTOPTIONAL;
        if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
        *value = &args[0];
        return S_OK;
    }

    static HRESULT PutInt(const std::vector<Variant>& args, const std::vector<DISPID>& named,
                          int* field) {
        const Variant* value = nullptr;
        if (HRESULT hr = PutValue(args, named, &value); FAILED(hr)) return hr;
        const auto number = IntegerOf(*value);
        if (!number) return DISP_E_TYPEMISMATCH;
        *field = static_cast<int>(*number);
        return S_OK;
    }

    static HRESULT PutBool(const std::vector<Variant>& args, const std::vector<DISPID>& named,
                           bool* field) {
        int number = 0;
        if (HRESULT hr = PutInt(args, named, &number); FAILED(hr)) return hr;
        *field = number != 0;
        return S_OK;
    }

    FakeParagraph& Para() { return doc_->paragraphs[static_cast<std::size_t>(paragraph_)]; }

    HRESULT Dispatch(const QString& m, std::uint16_t flags, const std::vector<Variant>& args,
                     const std::vector<DISPID>& named, Variant* result) {
        const bool get = flags == DISPATCH_PROPERTYGET;
        const bool put = flags == DISPATCH_PROPERTYPUT;
        const bool method = flags == DISPATCH_METHOD;
        auto give = [result](Variant v) {
            if (result != nullptr) *result = std::move(v);
            return S_OK;
        };
        auto noArgs = [&]() { return args.empty() && named.empty(); };

        switch (kind_) {
        case ObjectKind::Application:
            if (m == "Visible" && put) return PutBool(args, named, &app_->visible);
            if (m == "Documents" && get && noArgs()) return give(Child(ObjectKind::Documents, m));
            if (m == "ActiveWindow" && get && noArgs()) return give(Child(ObjectKind::Window, m));
            if (m == "Selection" && get && noArgs()) return give(Child(ObjectKind::Selection, m));
            if (m == "WindowState" && put) return PutInt(args, named, &app_->windowState);
            if (m == "Left" && put) return PutInt(args, named, &app_->left);
            if (m == "Top" && put) return PutInt(args, named, &app_->top);
            if (m == "Width" && put) return PutInt(args, named, &app_->width);
            if (m == "Height" && put) return PutInt(args, named, &app_->height);
            break;
        case ObjectKind::Documents:
            if (m == "Add" && method && noArgs()) {
                app_->documents.push_back(std::make_shared<FakeDocument>());
                return give(Variant());
            }
            if (m == "Count" && get && noArgs())
                return give(state_->countAnswer
                                ? *state_->countAnswer
                                : Variant::FromI4(std::int32_t(app_->documents.size())));
            if (m == "Item" && method && args.size() == 1 && named.empty()) {
                const auto n = IntegerOf(args[0]);
                if (!n) return DISP_E_TYPEMISMATCH;
                if (*n < 1 || *n > std::int64_t(app_->documents.size())) return DISP_E_BADINDEX;
                return give(Child(ObjectKind::Document, QStringLiteral("Item(%1)").arg(*n),
                                  app_->documents[std::size_t(*n - 1)]));
            }
            break;
        case ObjectKind::Document:
            if (m == "Activate" && method && noArgs()) {
                for (auto& d : app_->documents) d->active = d == doc_;
                return give(Variant());
            }
            if (m == "Paragraphs" && get && noArgs()) return give(Child(ObjectKind::Paragraphs, m));
            break;
        case ObjectKind::Paragraphs:
            if (m == "Add" && method && noArgs()) {
                doc_->paragraphs.push_back(FakeParagraph{});
                return give(Variant());
            }
            if (m == "Count" && get && noArgs())
                return give(Variant::FromI4(std::int32_t(doc_->paragraphs.size())));
            if (m == "Item" && method && args.size() == 1 && named.empty()) {
                const auto n = IntegerOf(args[0]);
                if (!n) return DISP_E_TYPEMISMATCH;
                if (*n < 1 || *n > std::int64_t(doc_->paragraphs.size())) return DISP_E_BADINDEX;
                return give(Child(ObjectKind::Paragraph, QStringLiteral("Item(%1)").arg(*n), doc_,
                                  int(*n - 1)));
            }
            break;
        case ObjectKind::Paragraph:
            if (m == "Range" && get && noArgs()) return give(Child(ObjectKind::Range, m));
            if (m == "Alignment" && put) return PutInt(args, named, &Para().alignment);
            break;
        case ObjectKind::Range:
            if (m == "Font" && get && noArgs()) return give(Child(ObjectKind::Font, m));
            if (m == "Text" && get && noArgs()) return give(Variant::FromBstr(Para().text));
            if (m == "Text" && put) {
                const Variant* value = nullptr;
                if (HRESULT hr = PutValue(args, named, &value); FAILED(hr)) return hr;
                if (value->vt() != VT_BSTR) return DISP_E_TYPEMISMATCH;
                Para().text = value->bstrVal().value_or(QString());
                Para().textSet = true;
                Para().textWasNull = !value->bstrVal().has_value();
                return S_OK;
            }
            break;
        case ObjectKind::Font:
            if (m == "Size" && put) return PutInt(args, named, &Para().size);
            if (m == "Bold" && put) return PutBool(args, named, &Para().bold);
            if (m == "Superscript" && put) return PutBool(args, named, &Para().superscript);
            break;
        case ObjectKind::Window:
            if (m == "ActivePane" && get && noArgs()) return give(Child(ObjectKind::Pane, m));
            break;
        case ObjectKind::Pane:
            if (m == "View" && get && noArgs()) return give(Child(ObjectKind::View, m));
            break;
        case ObjectKind::View:
            if (m == "Zoom" && get && noArgs()) return give(Child(ObjectKind::Zoom, m));
            break;
        case ObjectKind::Zoom:
            if (m == "Percentage" && put) return PutInt(args, named, &app_->zoom);
            break;
        case ObjectKind::Selection:
            if (m == "ParagraphFormat" && get && noArgs())
                return give(Child(ObjectKind::ParagraphFormat, m));
            break;
        case ObjectKind::ParagraphFormat:
            if (m == "LineSpacing" && put) return PutInt(args, named, &app_->lineSpacing);
            break;
        }
        return (get || put || method) && !noArgs() ? DISP_E_BADPARAMCOUNT : DISP_E_MEMBERNOTFOUND;
    }

    std::shared_ptr<State> state_;
    ObjectKind kind_;
    QString path_;
    std::shared_ptr<FakeApplication> app_;
    std::shared_ptr<FakeDocument> doc_;
    int paragraph_;
    int lastAccess_ = 0;
};

RecordingWordServer::RecordingWordServer() : state_(std::make_shared<State>()) {
    state_->fillInsAtStart = g_deferredFillIns.load();
}

RecordingWordServer::~RecordingWordServer() = default;

void RecordingWordServer::Register(ObjectFactory& factory) {
    std::weak_ptr<State> weak = state_;
    factory.Register(QStringLiteral("Word.Application"), [weak]() -> DispatchPtr {
        const auto state = weak.lock();
        if (!state) throw std::runtime_error("the recording server is gone");
        ++state->attempts;
        switch (state->creation) {
        case CreationMode::Throw: throw std::runtime_error("Word cannot start");
        case CreationMode::ReturnNull: return nullptr;
        case CreationMode::Succeed: break;
        }
        auto app = std::make_shared<FakeApplication>();
        app->index = ++state->creations;
        state->applications.push_back(app);
        auto object = std::make_shared<FakeObject>(state, ObjectKind::Application,
                                                   QStringLiteral("Application"), app);
        state->objects.push_back(object);
        return object;
    });
}

void RecordingWordServer::SetCreationMode(CreationMode mode) { state_->creation = mode; }

void RecordingWordServer::FailAtCall(int k, HRESULT error, FailStage stage) {
    state_->failAt = k;
    state_->failError = error;
    state_->failStage = stage;
}

void RecordingWordServer::AnswerCountWith(Variant value) { state_->countAnswer = std::move(value); }

int RecordingWordServer::Accesses() const { return state_->accesses; }
int RecordingWordServer::Creations() const { return state_->creations; }
int RecordingWordServer::CreationAttempts() const { return state_->attempts; }
const std::vector<RecordedCall>& RecordingWordServer::Calls() const { return state_->calls; }

QStringList RecordingWordServer::Described() const {
    QStringList lines;
    for (const RecordedCall& call : state_->calls) lines << call.Describe();
    return lines;
}

void RecordingWordServer::ClearCalls() { state_->calls.clear(); }

int RecordingWordServer::DeferredFillIns() const {
    return g_deferredFillIns.load() - state_->fillInsAtStart;
}

const std::vector<std::shared_ptr<FakeApplication>>& RecordingWordServer::Applications() const {
    return state_->applications;
}

QStringList RecordingWordServer::LiveObjects() const {
    QStringList live;
    for (const auto& weak : state_->objects) {
        if (const auto object = weak.lock()) live << object->Path();
    }
    return live;
}

}  // namespace velars::test
