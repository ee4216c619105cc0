#pragma once
// Late-bound automation calls: every member of a server's object model is
// reached by name at run time through its dispatch interface. A call binds a
// driver to the object's dispatch interface, looks the member up by name
// (never cached), builds the argument list and invokes the member; a failing
// result code raises EOleSysError.

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "automation/Dispatch.h"
#include "automation/ProgrammingError.h"
#include "automation/Variant.h"
#include "numbers/Exception.h"
#include "platform/PlatformServices.h"

namespace velars {

// An automation call that failed: the result code and the system's text for it.
class EOleSysError : public Exception {
public:
    explicit EOleSysError(HRESULT errorCode);
    HRESULT ErrorCode() const noexcept { return errorCode_; }

private:
    HRESULT errorCode_;
};

// The system's text for a result code, or "OLE error XXXXXXXX" (eight
// upper-case hex digits) when there is none.
QString OleErrorMessage(HRESULT errorCode);

// Throws EOleSysError for a failing result code; returns it otherwise.
HRESULT OleCheck(HRESULT result);

// An argument list of a dispatch call: m_Count arguments in m_Count + 1
// slots. Slot 0 receives the result; the arguments follow last-to-first, the
// order Invoke expects.
class TAutoArgsBase {
public:
    TAutoArgsBase(const TAutoArgsBase&) = delete;
    TAutoArgsBase& operator=(const TAutoArgsBase&) = delete;

    // Argument `index` (1..m_Count) or, for 0, the result slot. An index
    // outside 0..m_Count stops the program.
    Variant& operator[](int index);

    int Count() const { return m_Count; }
    Variant& Result() { return slots_[0]; }
    // The argument slots (slot 1 onwards), null when there are none.
    Variant* Arguments() { return m_Count > 0 ? slots_ + 1 : nullptr; }

protected:
    explicit TAutoArgsBase(int count) : m_Count(count) {}
    void AttachSlots(Variant* storage) { slots_ = storage; }
    ~TAutoArgsBase() = default;

    const int m_Count;

private:
    Variant* slots_ = nullptr;
};

template <int N>
class TAutoArgs : public TAutoArgsBase {
    static_assert(N >= 0);

public:
    TAutoArgs() : TAutoArgsBase(N) { AttachSlots(storage_.data()); }

private:
    std::array<Variant, N + 1> storage_{};
};

template <class Interface>
class TAutoDriverBase;

// The driver of one call: the bound dispatch interface (one reference of its
// own, released with the driver), the locale, the exception record and the
// faulty-argument index of the last invocation.
template <>
class TAutoDriverBase<IDispatch> {
public:
    TAutoDriverBase() = default;
    TAutoDriverBase(const TAutoDriverBase&) = delete;
    TAutoDriverBase& operator=(const TAutoDriverBase&) = delete;
    virtual ~TAutoDriverBase() = default;

    // Binds to the dispatch interface a Variant holds: VT_DISPATCH directly,
    // VT_UNKNOWN through its interface query, the by-reference forms after
    // following the reference; anything else leaves the driver unbound.
    void Bind(const Variant& object);
    void Bind(DispatchPtr dispatch) { dispatch_ = std::move(dispatch); }
    bool IsBound() const { return dispatch_ != nullptr; }
    const DispatchPtr& Dispatch() const { return dispatch_; }

    LCID Locale() const { return locale_; }
    const EXCEPINFO& ExcepInfo() const { return excepInfo_; }
    unsigned ArgErr() const { return argErr_; }

    // IDispatch::GetIDsOfNames for one name. Requires a bound driver.
    HRESULT GetIDsOfNames(const QString& name, DISPID& id);

    // IDispatch::Invoke with `kind`. `args` may be null (no argument list);
    // `named` adds the one named argument DISPID_PROPERTYPUT; the result goes
    // to args' slot 0 when `wantResult`. Zeroes the exception record and the
    // faulty-argument index first and calls the server's deferred fill-in
    // after DISP_E_EXCEPTION. Requires a bound driver.
    HRESULT Invoke(DISPID id, std::uint16_t kind, TAutoArgsBase* args, bool propertyPut,
                   bool wantResult);

private:
    DispatchPtr dispatch_;
    LCID locale_ = LOCALE_SYSTEM_DEFAULT;
    EXCEPINFO excepInfo_{};
    unsigned argErr_ = 0;
};

template <class Interface>
class TAutoDriver;

template <>
class TAutoDriver<IDispatch> : public TAutoDriverBase<IDispatch> {
public:
    TAutoDriver() = default;
    explicit TAutoDriver(const Variant& object) { Bind(object); }
};

// `object.name` get: the property's value.
Variant AutoGet(const Variant& object, const char* name);

// `object.name` put, the value as the one named argument DISPID_PROPERTYPUT.
void AutoPut(const Variant& object, const char* name, bool value);          // VT_BOOL -1/0
void AutoPut(const Variant& object, const char* name, std::int32_t value);  // VT_I4
void AutoPut(const Variant& object, const char* name, std::int8_t value);   // VT_I1
// VT_BSTR of text already widened to UTF-16; std::nullopt is the null BSTR.
void AutoPut(const Variant& object, const char* name, const Bstr& value);
// VT_BSTR of text in the narrow (ANSI) code page, widened through the
// platform; an empty text is sent as a null BSTR.
void AutoPut(const Variant& object, const char* name, const QByteArray& ansiText,
             PlatformServices& platform);
// A string literal would otherwise silently become a bool.
void AutoPut(const Variant& object, const char* name, const char* value) = delete;

// `object.name` method: no argument list, no result requested.
void AutoProc(const Variant& object, const char* name);
// `object.name` method with two arguments, VT_BSTR and VT_I4, in that
// order; no result requested.
void AutoProc(const Variant& object, const char* name, const Bstr& first, std::int32_t second);

// `object.name` method with result, one argument.
Variant AutoFunc(const Variant& object, const char* name, std::int32_t argument);  // VT_I4
Variant AutoFunc(const Variant& object, const char* name, std::uint8_t argument);  // VT_UI1

// The framework's comparison of a Variant with an integer: true when the
// value is numeric (or numeric text) and equal to `value`.
bool VariantEquals(const Variant& variant, std::int32_t value);

}  // namespace velars
