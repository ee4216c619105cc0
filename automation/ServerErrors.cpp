#include "automation/ServerErrors.h"

#include "automation/AutomationObject.h"

namespace velars {

HRESULT RaiseNoDocument(const MemberCall& call) {
    return call.Raise(QStringLiteral("Команда недоступна, так как нет открытых документов."), 4248);
}

HRESULT RaiseOutOfRange(const MemberCall& call) {
    return call.Raise(QStringLiteral("Значение вне допустимого диапазона."), 4608);
}

}  // namespace velars
