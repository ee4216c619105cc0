#include "automation/Automation.h"

namespace velars {

namespace {

// One member access: bind, look the name up, invoke as `kind`.
void Call(const Variant& object, const char* name, std::uint16_t kind, TAutoArgsBase* args,
          bool propertyPut, bool wantResult) {
    TAutoDriver<IDispatch> driver(object);
    // A call on a value without an interface is a programming error.
    VELARS_ASSERT(driver.IsBound());
    DISPID id = DISPID_UNKNOWN;
    OleCheck(driver.GetIDsOfNames(QString::fromLatin1(name), id));
    OleCheck(driver.Invoke(id, kind, args, propertyPut, wantResult));
}

void Put(const Variant& object, const char* name, Variant value) {
    TAutoArgs<1> args;
    args[1] = std::move(value);
    Call(object, name, DISPATCH_PROPERTYPUT, &args, true, false);
}

Variant Func(const Variant& object, const char* name, Variant argument) {
    TAutoArgs<1> args;
    args[1] = std::move(argument);
    Call(object, name, DISPATCH_METHOD, &args, false, true);
    return args[0];
}

}  // namespace

Variant AutoGet(const Variant& object, const char* name) {
    TAutoArgs<0> args;
    Call(object, name, DISPATCH_PROPERTYGET, &args, false, true);
    return args[0];
}

void AutoPut(const Variant& object, const char* name, bool value) {
    Put(object, name, Variant::FromBool(value));
}

void AutoPut(const Variant& object, const char* name, std::int32_t value) {
    Put(object, name, Variant::FromI4(value));
}

void AutoPut(const Variant& object, const char* name, std::int8_t value) {
    Put(object, name, Variant::FromI1(value));
}

void AutoPut(const Variant& object, const char* name, const Bstr& value) {
    // An empty text travels as the null BSTR.
    Bstr sent = value;
    if (sent && sent->isEmpty()) sent.reset();
    Put(object, name, Variant::FromBstr(std::move(sent)));
}

void AutoPut(const Variant& object, const char* name, const QByteArray& ansiText,
             PlatformServices& platform) {
    Bstr wide;
    if (!ansiText.isEmpty()) wide = platform.FromNarrow(ansiText);
    AutoPut(object, name, wide);
}

void AutoProc(const Variant& object, const char* name) {
    Call(object, name, DISPATCH_METHOD, nullptr, false, false);
}

void AutoProc(const Variant& object, const char* name, const Bstr& first, std::int32_t second) {
    TAutoArgs<2> args;
    args[1] = Variant::FromBstr(first);
    args[2] = Variant::FromI4(second);
    Call(object, name, DISPATCH_METHOD, &args, false, false);
}

Variant AutoFunc(const Variant& object, const char* name, std::int32_t argument) {
    return Func(object, name, Variant::FromI4(argument));
}

Variant AutoFunc(const Variant& object, const char* name, std::uint8_t argument) {
    return Func(object, name, Variant::FromUI1(argument));
}

bool VariantEquals(const Variant& variant, std::int32_t value) {
    const double wanted = value;
    switch (variant.vt()) {
    case VT_I2: return variant.iVal() == value;
    case VT_I4: return variant.lVal() == value;
    case VT_I1: return variant.cVal() == value;
    case VT_UI1: return variant.bVal() == value;
    case VT_R8: return variant.dblVal() == wanted;
    case VT_BOOL: return variant.boolVal() == value;
    case VT_BSTR: {
        if (!variant.bstrVal()) return false;
        bool ok = false;
        const double number = variant.bstrVal()->trimmed().toDouble(&ok);
        return ok && number == wanted;
    }
    default:
        // Empty, null, objects and errors never equal a number here.
        return false;
    }
}

}  // namespace velars
