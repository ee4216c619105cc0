#include "writer/WriterObject.h"

#include "automation/ArgumentConversion.h"
#include "automation/ServerErrors.h"
#include "writer/UnoDocument.h"

namespace velars {

HRESULT WriterObject::Office(const MemberCall& call, OfficeSession::Work work,
                             com::sun::star::uno::Any* value) const {
    OfficeAnswer answer = session_->Run(std::move(work));
    if (answer.hr == DISP_E_EXCEPTION && owner_) {
        const auto owner = owner_->model;
        const OfficeAnswer open = session_->Run(
            [owner] { return com::sun::star::uno::Any(owner->getCurrentController().is()); });
        if (FAILED(open.hr) || !open.value.get<bool>()) return RPC_E_DISCONNECTED;
    }
    if (answer.hr == DISP_E_EXCEPTION) return call.Raise(answer.message, 0);
    if (SUCCEEDED(answer.hr) && value != nullptr) *value = std::move(answer.value);
    return answer.hr;
}

HRESULT WriterObject::CheckConnected() const {
    return session_->IsConnected() ? S_OK : RPC_E_DISCONNECTED;
}

void WriterObject::AddAlignment(ParagraphProperties properties) {
    namespace uno = com::sun::star::uno;
    AddProperty(
        QStringLiteral("Alignment"),
        [this, properties](const MemberCall& call, Variant& result) {
            uno::Any value;
            const HRESULT hr = Office(
                call,
                [properties] {
                    return uno::Any(CodeOfAdjust(properties()->getPropertyValue("ParaAdjust")));
                },
                &value);
            if (SUCCEEDED(hr)) result = Variant::FromI4(value.get<sal_Int32>());
            return hr;
        },
        [this, properties](const MemberCall& call, const Variant& value) {
            const std::optional<std::int64_t> code = IntegerArgument(value);
            if (!code) return call.TypeMismatch(0);
            const auto adjust = AdjustOfCode(*code);
            if (!adjust) return RaiseOutOfRange(call);
            const auto adjustValue = sal_Int16(*adjust);
            return Office(call, [properties, adjustValue] {
                properties()->setPropertyValue("ParaAdjust", uno::Any(adjustValue));
                return uno::Any();
            });
        });
}

}  // namespace velars
