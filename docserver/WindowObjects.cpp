#include "docserver/WindowObjects.h"

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "docserver/DocumentState.h"
#include "docserver/DocumentWindow.h"
#include "docserver/PageView.h"

namespace velars {
namespace {

HRESULT Connected(const std::shared_ptr<DocumentState>& document) {
    return document->IsOpen() ? S_OK : RPC_E_DISCONNECTED;
}

template <class Object>
AutomationObject::Getter ObjectOf(const std::shared_ptr<DocumentState>& document) {
    return [document](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<Object>(document));
        return S_OK;
    };
}

}  // namespace

WindowObject::WindowObject(std::shared_ptr<DocumentState> document)
    : document_(std::move(document)) {
    AddProperty(QStringLiteral("Caption"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromBstr(document_->Window()->DocumentName());
        return S_OK;
    });
    AddProperty(QStringLiteral("ActivePane"), ObjectOf<PaneObject>(document_));
    AddProperty(QStringLiteral("View"), ObjectOf<ViewObject>(document_));
}

HRESULT WindowObject::CheckConnected() const { return Connected(document_); }

PaneObject::PaneObject(std::shared_ptr<DocumentState> document) : document_(std::move(document)) {
    AddProperty(QStringLiteral("View"), ObjectOf<ViewObject>(document_));
}

HRESULT PaneObject::CheckConnected() const { return Connected(document_); }

ViewObject::ViewObject(std::shared_ptr<DocumentState> document) : document_(std::move(document)) {
    AddProperty(QStringLiteral("Zoom"), ObjectOf<ZoomObject>(document_));
}

HRESULT ViewObject::CheckConnected() const { return Connected(document_); }

ZoomObject::ZoomObject(std::shared_ptr<DocumentState> document) : document_(std::move(document)) {
    AddProperty(
        QStringLiteral("Percentage"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromI4(document_->Window()->View()->ZoomPercent());
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> percent = IntegerArgument(value);
            if (!percent) return call.TypeMismatch(0);
            if (*percent < PageView::kMinZoom || *percent > PageView::kMaxZoom)
                return RaiseOutOfRange(call);
            document_->Window()->View()->SetZoomPercent(int(*percent));
            return S_OK;
        });
}

HRESULT ZoomObject::CheckConnected() const { return Connected(document_); }

}  // namespace velars
