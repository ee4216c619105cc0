#include "automation/Automation.h"

namespace velars {

void TAutoDriverBase<IDispatch>::Bind(const Variant& object) {
    DispatchPtr bound;
    switch (object.vt()) {
    case VT_DISPATCH: bound = object.pdispVal(); break;
    case VT_DISPATCH | VT_BYREF:
        if (object.ppdispVal() != nullptr) bound = *object.ppdispVal();
        break;
    case VT_UNKNOWN:
        if (object.punkVal()) bound = object.punkVal()->QueryDispatch();
        break;
    case VT_UNKNOWN | VT_BYREF:
        if (object.ppunkVal() != nullptr && *object.ppunkVal())
            bound = (*object.ppunkVal())->QueryDispatch();
        break;
    default:
        // VT_EMPTY and VT_NULL hold no interface; no call is ever made on
        // a value of any other type.
        break;
    }
    dispatch_ = std::move(bound);
}

HRESULT TAutoDriverBase<IDispatch>::GetIDsOfNames(const QString& name, DISPID& id) {
    VELARS_ASSERT(IsBound());
    id = DISPID_UNKNOWN;
    return dispatch_->GetIDsOfNames(&name, 1, locale_, &id);
}

HRESULT TAutoDriverBase<IDispatch>::Invoke(DISPID id, std::uint16_t kind, TAutoArgsBase* args,
                                           bool propertyPut, bool wantResult) {
    VELARS_ASSERT(IsBound());
    // A call that requests a result always has an argument list: slot 0
    // receives it.
    VELARS_ASSERT(!wantResult || args != nullptr);

    DISPID namedPut = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    if (args != nullptr) {
        params.rgvarg = args->Arguments();
        params.cArgs = static_cast<unsigned>(args->Count());
    }
    if (propertyPut) {
        params.rgdispidNamedArgs = &namedPut;
        params.cNamedArgs = 1;
    }

    excepInfo_ = EXCEPINFO{};
    argErr_ = 0;
    Variant* result = wantResult ? &args->Result() : nullptr;
    if (result != nullptr) result->Clear();
    const HRESULT hr = dispatch_->Invoke(id, locale_, kind, &params, result, &excepInfo_, &argErr_);
    if (hr == DISP_E_EXCEPTION && excepInfo_.pfnDeferredFillIn != nullptr)
        excepInfo_.pfnDeferredFillIn(&excepInfo_);
    return hr;
}

}  // namespace velars
