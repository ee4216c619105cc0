#include "docserver/DocumentObjects.h"

#include <QFileInfo>
#include <QTextDocument>

#include "automation/ArgumentConversion.h"
#include "docserver/ApplicationState.h"
#include "docserver/DocumentState.h"
#include "docserver/DocumentWindow.h"
#include "docserver/ParagraphObjects.h"
#include "automation/ServerErrors.h"

namespace velars {

namespace {

// The word processor's codes for the file formats the server writes.
constexpr std::int64_t kFormatWordDocument = 12;
constexpr std::int64_t kFormatDocumentDefault = 16;
constexpr std::int64_t kFormatPdf = 17;
constexpr std::int64_t kFormatOpenDocumentText = 23;

std::optional<DocumentWindow::Format> FormatOfCode(std::int64_t code) {
    switch (code) {
    case kFormatWordDocument:
    case kFormatDocumentDefault: return DocumentWindow::Format::Docx;
    case kFormatPdf: return DocumentWindow::Format::Pdf;
    case kFormatOpenDocumentText: return DocumentWindow::Format::Odt;
    default: return std::nullopt;
    }
}

DocumentWindow::Format FormatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf")) return DocumentWindow::Format::Pdf;
    if (suffix == QLatin1String("odt")) return DocumentWindow::Format::Odt;
    return DocumentWindow::Format::Docx;
}

}  // namespace

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
    AddMethod(QStringLiteral("SaveAs2"), 1, 2, [this](const MemberCall& call, Variant&) {
        const std::optional<QString> path = TextArgument(call.Arg(0));
        if (!path || path->isEmpty()) return call.TypeMismatch(0);
        DocumentWindow::Format format = FormatOfName(*path);
        if (call.Count() > 1) {
            const std::optional<std::int64_t> code = IntegerArgument(call.Arg(1));
            if (!code) return call.TypeMismatch(1);
            const std::optional<DocumentWindow::Format> known = FormatOfCode(*code);
            if (!known) return RaiseOutOfRange(call);
            format = *known;
        }
        if (!document_->Window()->WriteFile(*path, format)) return RaiseCannotSave(call, *path);
        return S_OK;
    });
}

HRESULT DocumentObject::CheckConnected() const {
    return document_->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

}  // namespace velars
