#pragma once
// The errors both report servers raise through the exception record, with
// the numbers the word processor they stand in for uses for them.

#include <QString>
#include <cstdint>

#include "automation/ComTypes.h"

namespace velars {

class MemberCall;

// "Команда недоступна, так как нет открытых документов." (4248)
HRESULT RaiseNoDocument(const MemberCall& call);
// "Значение вне допустимого диапазона." (4608)
HRESULT RaiseOutOfRange(const MemberCall& call);
// "Не удалось сохранить файл «<path>»." (4198, the word processor's
// "command failed")
HRESULT RaiseCannotSave(const MemberCall& call, const QString& path);

}  // namespace velars
