#include "automation/ServerErrors.h"

#include <QDir>

#include "automation/AutomationObject.h"

namespace velars {

HRESULT RaiseNoDocument(const MemberCall& call) {
    return call.Raise(QStringLiteral("Команда недоступна, так как нет открытых документов."), 4248);
}

HRESULT RaiseOutOfRange(const MemberCall& call) {
    return call.Raise(QStringLiteral("Значение вне допустимого диапазона."), 4608);
}

HRESULT RaiseCannotSave(const MemberCall& call, const QString& path) {
    return call.Raise(
        QStringLiteral("Не удалось сохранить файл «%1».").arg(QDir::toNativeSeparators(path)),
        4198);
}

}  // namespace velars
