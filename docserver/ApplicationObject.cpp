#include "docserver/ApplicationObject.h"

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "docserver/ApplicationState.h"
#include "docserver/DocumentObjects.h"
#include "docserver/DocumentState.h"
#include "docserver/SelectionObjects.h"
#include "docserver/WindowObjects.h"

namespace velars {

ApplicationObject::ApplicationObject(PlatformServices& platform, bool hidden)
    : state_(std::make_shared<ApplicationState>(platform, hidden)) {
    AddProperty(
        QStringLiteral("Visible"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromBool(state_->Visible());
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<bool> visible = BoolArgument(value);
            if (!visible) return call.TypeMismatch(0);
            state_->SetVisible(*visible);
            return S_OK;
        });
    AddProperty(QStringLiteral("Documents"), [this](const MemberCall&, Variant& result) {
        result = Variant::FromDispatch(std::make_shared<DocumentsObject>(state_));
        return S_OK;
    });
    AddProperty(QStringLiteral("ActiveDocument"), [this](const MemberCall& call, Variant& result) {
        const auto document = state_->ActiveDocument();
        if (!document) return RaiseNoDocument(call);
        result = Variant::FromDispatch(std::make_shared<DocumentObject>(state_, document));
        return S_OK;
    });
    AddProperty(QStringLiteral("ActiveWindow"), [this](const MemberCall& call, Variant& result) {
        const auto document = state_->ActiveDocument();
        if (!document) return RaiseNoDocument(call);
        result = Variant::FromDispatch(std::make_shared<WindowObject>(document));
        return S_OK;
    });
    AddProperty(QStringLiteral("Selection"), [this](const MemberCall& call, Variant& result) {
        const auto document = state_->ActiveDocument();
        if (!document) return RaiseNoDocument(call);
        result = Variant::FromDispatch(std::make_shared<SelectionObject>(document));
        return S_OK;
    });
    AddProperty(
        QStringLiteral("WindowState"),
        [this](const MemberCall&, Variant& result) {
            result = Variant::FromI4(state_->WindowState());
            return S_OK;
        },
        [this](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> code = IntegerArgument(value);
            if (!code) return call.TypeMismatch(0);
            if (*code < ApplicationState::kNormal || *code > ApplicationState::kMinimized)
                return RaiseOutOfRange(call);
            state_->SetWindowState(ApplicationState::WindowStateCode(*code));
            return S_OK;
        });
    using Edge = ApplicationState::Edge;
    for (const auto& entry : {std::pair{QStringLiteral("Left"), Edge::Left},
                              std::pair{QStringLiteral("Top"), Edge::Top},
                              std::pair{QStringLiteral("Width"), Edge::Width},
                              std::pair{QStringLiteral("Height"), Edge::Height}}) {
        // Named copies: lambdas may not capture structured bindings everywhere.
        const QString& name = entry.first;
        const Edge edge = entry.second;
        AddProperty(
            name,
            [this, edge = edge](const MemberCall&, Variant& result) {
                result = Variant::FromI4(state_->Geometry(edge));
                return S_OK;
            },
            [this, edge = edge](const MemberCall& call, const Variant& value) {
                const std::optional<std::int64_t> pixels = IntegerArgument(value);
                if (!pixels) return call.TypeMismatch(0);
                state_->SetGeometry(edge, int(*pixels));
                return S_OK;
            });
    }
}

}  // namespace velars
