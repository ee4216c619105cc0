#include "automation/Variant.h"

#include "automation/Dispatch.h"

namespace velars {

Variant Variant::FromBool(bool value) {
    Variant v;
    v.vt_ = VT_BOOL;
    v.boolVal_ = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::FromI4(std::int32_t value) {
    Variant v;
    v.vt_ = VT_I4;
    v.lVal_ = value;
    return v;
}

Variant Variant::FromI2(std::int16_t value) {
    Variant v;
    v.vt_ = VT_I2;
    v.iVal_ = value;
    return v;
}

Variant Variant::FromI1(std::int8_t value) {
    Variant v;
    v.vt_ = VT_I1;
    v.cVal_ = value;
    return v;
}

Variant Variant::FromUI1(std::uint8_t value) {
    Variant v;
    v.vt_ = VT_UI1;
    v.bVal_ = value;
    return v;
}

Variant Variant::FromR8(double value) {
    Variant v;
    v.vt_ = VT_R8;
    v.dblVal_ = value;
    return v;
}

Variant Variant::FromBstr(Bstr value) {
    Variant v;
    v.vt_ = VT_BSTR;
    v.bstr_ = std::move(value);
    return v;
}

Variant Variant::FromDispatch(DispatchPtr value) {
    Variant v;
    v.vt_ = VT_DISPATCH;
    v.disp_ = std::move(value);
    return v;
}

Variant Variant::FromUnknown(UnknownPtr value) {
    Variant v;
    v.vt_ = VT_UNKNOWN;
    v.unk_ = std::move(value);
    return v;
}

Variant Variant::Null() {
    Variant v;
    v.vt_ = VT_NULL;
    return v;
}

Variant Variant::DispatchByRef(DispatchPtr* ref) {
    Variant v;
    v.vt_ = VT_DISPATCH | VT_BYREF;
    v.dispRef_ = ref;
    return v;
}

Variant Variant::UnknownByRef(UnknownPtr* ref) {
    Variant v;
    v.vt_ = VT_UNKNOWN | VT_BYREF;
    v.unkRef_ = ref;
    return v;
}

}  // namespace velars
