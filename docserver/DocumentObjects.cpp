#include "docserver/DocumentObjects.h"

#include <QTextDocument>

#include "automation/ArgumentConversion.h"
#include "docserver/ApplicationState.h"
#include "docserver/DocumentState.h"
#include "docserver/DocumentWindow.h"
#include "docserver/ParagraphObjects.h"

namespace velars {

DocumentsObject::DocumentsObject(std::shared_ptr<ApplicationState> application)
    : application_(std::move(application)) {
    AddMethod(QStringLiteral("Add"), 0, 0, [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(
            std::make_shared<DocumentObject>(application_, application_->AddDocument()));
        return S_OK;
    });
    AddProperty(QStringLiteral("Count"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromI4(std::int32_t(application_->Documents().size()));
        return S_OK;
    });
    AddMethod(QStringLiteral("Item"), 1, 1, [this](const MemberCall& call, Variant& result) {
        const auto documents = application_->Documents();
        const Variant& key = call.Arg(0);
        std::shared_ptr<DocumentState> found;
        if (const std::optional<std::int64_t> index = IntegerArgument(key)) {
            if (*index >= 1 && std::size_t(*index) <= documents.size())
                found = documents[std::size_t(*index - 1)];
        } else if (key.vt() == VT_BSTR) {
            const QString name = key.bstrVal().value_or(QString());
            for (const auto& document : documents) {
                if (document->Window()->DocumentName().compare(name, Qt::CaseInsensitive) == 0)
                    found = document;
            }
        } else {
            return call.TypeMismatch(0);
        }
        if (!found) return DISP_E_BADINDEX;
        result = Variant::FromDispatch(std::make_shared<DocumentObject>(application_, found));
        return S_OK;
    });
}

DocumentObject::DocumentObject(std::shared_ptr<ApplicationState> application,
                               std::shared_ptr<DocumentState> document)
    : application_(std::move(application)), document_(std::move(document)) {
    AddMethod(QStringLiteral("Activate"), 0, 0, [this](const MemberCall&, Variant&) {
        application_->Activate(document_);
        return S_OK;
    });
    AddProperty(QStringLiteral("Paragraphs"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<ParagraphsObject>(document_));
        return S_OK;
    });
    AddProperty(QStringLiteral("Name"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromBstr(document_->Window()->DocumentName());
        return S_OK;
    });
    AddProperty(
        QStringLiteral("Saved"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromBool(!document_->Document()->isModified());
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<bool> saved = BoolArgument(value);
            if (!saved) return call.TypeMismatch(0);
            document_->Document()->setModified(!*saved);
            return S_OK;
        });
}

HRESULT DocumentObject::CheckConnected() const {
    return document_->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

}  // namespace velars
