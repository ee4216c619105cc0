#include "automation/AutomationObject.h"

#include "automation/ServerName.h"

namespace velars {

MemberCall::MemberCall(const DISPPARAMS& params, EXCEPINFO* excepInfo, unsigned* argErr)
    : params_(params), excepInfo_(excepInfo), argErr_(argErr) {}

const Variant& MemberCall::Arg(unsigned index) const {
    return params_.rgvarg[params_.cArgs - 1 - index];
}

HRESULT MemberCall::TypeMismatch(unsigned index) const {
    if (argErr_) *argErr_ = params_.cArgs - 1 - index;
    return DISP_E_TYPEMISMATCH;
}

HRESULT MemberCall::Raise(const QString& description, std::uint16_t number) const {
    if (excepInfo_) {
        *excepInfo_ = EXCEPINFO{};
        excepInfo_->wCode = number;
        excepInfo_->bstrSource = ServerName();
        excepInfo_->bstrDescription = description;
        excepInfo_->scode = HRESULT(0x800A0000u | number);
    }
    return DISP_E_EXCEPTION;
}

void AutomationObject::AddProperty(const QString& name, Getter get, Putter put) {
    members_.push_back({name, std::move(get), std::move(put), {}, 0, 0});
}

void AutomationObject::AddMethod(const QString& name, unsigned minArgs, unsigned maxArgs,
                                 Method method) {
    members_.push_back({name, {}, {}, std::move(method), minArgs, maxArgs});
}

HRESULT AutomationObject::GetIDsOfNames(const QString* names, unsigned count, LCID, DISPID* ids) {
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    // Members take no named parameters: only the member itself can be found.
    for (unsigned i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    ids[0] = DISPID_UNKNOWN;
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i].name.compare(names[0], Qt::CaseInsensitive) == 0) {
            ids[0] = DISPID(i + 1);
            break;
        }
    }
    return ids[0] == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT AutomationObject::Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params,
                                 Variant* result, EXCEPINFO* excepInfo, unsigned* argErr) {
    // No C++ exception crosses the dispatch interface.
    try {
        return InvokeMember(id, lcid, flags, params, result, excepInfo, argErr);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT AutomationObject::InvokeMember(DISPID id, LCID, std::uint16_t flags, DISPPARAMS* params,
                                       Variant* result, EXCEPINFO* excepInfo, unsigned* argErr) {
    if (id < 1 || std::size_t(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members_[std::size_t(id) - 1];

    DISPPARAMS none;
    const DISPPARAMS& args = params ? *params : none;
    if (args.cArgs > 0 && !args.rgvarg) return E_INVALIDARG;
    if (args.cNamedArgs > args.cArgs || (args.cNamedArgs > 0 && !args.rgdispidNamedArgs))
        return E_INVALIDARG;

    const HRESULT connected = CheckConnected();
    if (FAILED(connected)) return connected;

    Variant ignored;
    Variant& out = result ? *result : ignored;
    out.Clear();
    const MemberCall call(args, excepInfo, argErr);

    if (member.method && (flags & DISPATCH_METHOD)) {
        if (args.cNamedArgs > 0) return DISP_E_PARAMNOTFOUND;
        if (args.cArgs < member.minArgs || args.cArgs > member.maxArgs) return DISP_E_BADPARAMCOUNT;
        return member.method(call, out);
    }
    if (member.get && (flags & DISPATCH_PROPERTYGET)) {
        if (args.cNamedArgs > 0) return DISP_E_PARAMNOTFOUND;
        if (args.cArgs != 0) return DISP_E_BADPARAMCOUNT;
        return member.get(call, out);
    }
    if (member.put && (flags & DISPATCH_PROPERTYPUT)) {
        if (args.cArgs != 1) return DISP_E_BADPARAMCOUNT;
        if (args.cNamedArgs != 1 || args.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTOPTIONAL;
        return member.put(call, call.Arg(0));
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace velars
