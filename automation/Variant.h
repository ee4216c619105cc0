#pragma once
// An automation value, as the OLE VARIANT: a type tag and the value of that
// type. Only the types the calculator sends or receives are supported.

#include <QString>
#include <cstdint>
#include <optional>

#include "automation/ComTypes.h"

namespace velars {

enum VARTYPE : std::uint16_t {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_BYREF = 0x4000,
};

using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// A BSTR: UTF-16 text that may be null (an empty text is sent as null).
using Bstr = std::optional<QString>;

class Variant {
public:
    Variant() = default;  // VT_EMPTY

    static Variant FromBool(bool value);             // VT_BOOL, -1 or 0
    static Variant FromI4(std::int32_t value);       // VT_I4
    static Variant FromI2(std::int16_t value);       // VT_I2
    static Variant FromI1(std::int8_t value);        // VT_I1
    static Variant FromUI1(std::uint8_t value);      // VT_UI1
    static Variant FromR8(double value);             // VT_R8
    static Variant FromBstr(Bstr value);             // VT_BSTR
    static Variant FromDispatch(DispatchPtr value);  // VT_DISPATCH (adds a reference)
    static Variant FromUnknown(UnknownPtr value);    // VT_UNKNOWN
    static Variant Null();                           // VT_NULL
    // By-reference forms: the variant points at a dispatch or unknown
    // pointer that someone else owns.
    static Variant DispatchByRef(DispatchPtr* ref);  // VT_DISPATCH | VT_BYREF
    static Variant UnknownByRef(UnknownPtr* ref);    // VT_UNKNOWN | VT_BYREF

    std::uint16_t vt() const { return vt_; }
    bool IsEmpty() const { return vt_ == VT_EMPTY; }

    VARIANT_BOOL boolVal() const { return boolVal_; }
    std::int32_t lVal() const { return lVal_; }
    std::int16_t iVal() const { return iVal_; }
    std::int8_t cVal() const { return cVal_; }
    std::uint8_t bVal() const { return bVal_; }
    double dblVal() const { return dblVal_; }
    const Bstr& bstrVal() const { return bstr_; }
    const DispatchPtr& pdispVal() const { return disp_; }
    const UnknownPtr& punkVal() const { return unk_; }
    DispatchPtr* ppdispVal() const { return dispRef_; }
    UnknownPtr* ppunkVal() const { return unkRef_; }

    // Releases whatever the value holds and makes it VT_EMPTY.
    void Clear() { *this = Variant(); }

private:
    std::uint16_t vt_ = VT_EMPTY;
    VARIANT_BOOL boolVal_ = 0;
    std::int32_t lVal_ = 0;
    std::int16_t iVal_ = 0;
    std::int8_t cVal_ = 0;
    std::uint8_t bVal_ = 0;
    double dblVal_ = 0;
    Bstr bstr_;
    DispatchPtr disp_;
    UnknownPtr unk_;
    DispatchPtr* dispRef_ = nullptr;
    UnknownPtr* unkRef_ = nullptr;
};

}  // namespace velars
