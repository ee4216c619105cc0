#pragma once
// The dispatch interface of an automation server: members are looked up by
// name and invoked by id, with arguments last-to-first, exactly as
// IDispatch::GetIDsOfNames and IDispatch::Invoke.

#include "automation/ComTypes.h"
#include "automation/Variant.h"

namespace velars {

struct EXCEPINFO {
    std::uint16_t wCode = 0;
    QString bstrSource;
    QString bstrDescription;
    // A server may defer filling in the record; the caller then calls this.
    HRESULT (*pfnDeferredFillIn)(EXCEPINFO*) = nullptr;
    HRESULT scode = 0;
};

struct DISPPARAMS {
    Variant* rgvarg = nullptr;            // the arguments, last first
    DISPID* rgdispidNamedArgs = nullptr;  // ids of the named arguments
    unsigned cArgs = 0;
    unsigned cNamedArgs = 0;
};

class IDispatch : public IUnknown {
public:
    DispatchPtr QueryDispatch() override {
        return std::static_pointer_cast<IDispatch>(shared_from_this());
    }
    // Looks up `count` names (the first is the member, the rest its
    // parameters) for the locale; DISP_E_UNKNOWNNAME for a name it lacks.
    virtual HRESULT GetIDsOfNames(const QString* names, unsigned count, LCID lcid, DISPID* ids) = 0;
    // Calls member `id` as `flags` (DISPATCH_METHOD, _PROPERTYGET,
    // _PROPERTYPUT). `result` may be null when no result is wanted.
    virtual HRESULT Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params,
                           Variant* result, EXCEPINFO* excepInfo, unsigned* argErr) = 0;
};

}  // namespace velars
