#include "automation/ArgumentConversion.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace velars {
namespace {

std::optional<double> NumberOfText(const QString& text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> NumberArgument(const Variant& value) {
    switch (value.vt()) {
    case VT_I1: return value.cVal();
    case VT_UI1: return value.bVal();
    case VT_I2: return value.iVal();
    case VT_I4: return value.lVal();
    case VT_BOOL: return value.boolVal() ? -1.0 : 0.0;
    case VT_R8:
        if (!std::isfinite(value.dblVal())) return std::nullopt;
        return value.dblVal();
    case VT_BSTR: return NumberOfText(value.bstrVal().value_or(QString()));
    default: return std::nullopt;
    }
}

std::optional<std::int64_t> IntegerArgument(const Variant& value) {
    const std::optional<double> number = NumberArgument(value);
    if (!number) return std::nullopt;
    // Automation rounds a real to the nearest integer, halves to even.
    const double rounded = std::nearbyint(*number);
    if (rounded < double(std::numeric_limits<std::int32_t>::min()) ||
        rounded > double(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return std::int64_t(rounded);
}

std::optional<bool> BoolArgument(const Variant& value) {
    if (value.vt() == VT_BSTR) {
        const QString text = value.bstrVal().value_or(QString()).trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    const std::optional<double> number = NumberArgument(value);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<QString> TextArgument(const Variant& value) {
    switch (value.vt()) {
    case VT_BSTR: return value.bstrVal().value_or(QString());
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_I4: return QString::number(*IntegerArgument(value));
    case VT_R8: return QString::number(value.dblVal(), 'g', 15);
    default: return std::nullopt;
    }
}

}  // namespace velars
