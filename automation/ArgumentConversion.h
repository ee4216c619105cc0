#pragma once
// Reading the arguments of a member call the way automation coerces them:
// any integer type (and a whole real number or numeric text) where a number
// is wanted, any number where a truth value is wanted, text or a number where
// text is wanted. nullopt when the value cannot be read so (a type mismatch).

#include <QString>
#include <cstdint>
#include <optional>

#include "automation/ComTypes.h"
#include "automation/Variant.h"

namespace velars {

// VT_I1, VT_UI1, VT_I2, VT_I4, VT_BOOL (-1/0), VT_R8 (rounded half to even,
// as automation rounds), numeric VT_BSTR.
std::optional<std::int64_t> IntegerArgument(const Variant& value);

// The same types, fractions kept.
std::optional<double> NumberArgument(const Variant& value);

// VT_BOOL, or a number: non-zero is true. Text "True"/"False" too.
std::optional<bool> BoolArgument(const Variant& value);

// VT_BSTR (a null BSTR is the empty text), or a number in its decimal form.
std::optional<QString> TextArgument(const Variant& value);

}  // namespace velars
