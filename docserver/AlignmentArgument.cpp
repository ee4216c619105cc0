#include "docserver/AlignmentArgument.h"

#include "automation/AutomationObject.h"
#include "automation/ServerErrors.h"
#include "docserver/ParagraphEditing.h"

namespace velars {

HRESULT AlignmentArgument(const MemberCall& call, const Variant& value, Qt::Alignment& alignment) {
    const std::optional<std::int64_t> code = IntegerArgument(value);
    if (!code) return call.TypeMismatch(0);
    const std::optional<Qt::Alignment> known = AlignmentOfCode(*code);
    if (!known) return RaiseOutOfRange(call);
    alignment = *known;
    return S_OK;
}

}  // namespace velars
