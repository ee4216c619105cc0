#pragma once
// The dispatch side of every object of both report servers (the document
// server and the Writer server): a table of named members (properties and
// methods), looked up case-insensitively, and the checks Invoke makes before
// a member runs (call kind, argument count, the named argument of a put).
// An object whose CheckConnected fails (its document closed by the user, its
// office gone) answers every call with that error, RPC_E_DISCONNECTED.

#include <QString>
#include <functional>
#include <vector>

#include "automation/Dispatch.h"

namespace velars {

// A named argument the member does not take.
constexpr HRESULT DISP_E_PARAMNOTFOUND = HRESULT(0x80020004u);

// What a member sees of one invocation: its arguments in written order and
// the caller's exception record and faulty-argument index.
class MemberCall {
public:
    MemberCall(const DISPPARAMS& params, EXCEPINFO* excepInfo, unsigned* argErr);

    unsigned Count() const { return params_.cArgs; }
    // Argument `index` counted from the first one written (0-based).
    const Variant& Arg(unsigned index) const;

    // DISP_E_TYPEMISMATCH, naming argument `index` as the faulty one.
    HRESULT TypeMismatch(unsigned index) const;
    // DISP_E_EXCEPTION with the record filled in: the server's name, the
    // description and the error number the way the server's own errors are
    // numbered (scode 0x800A0000 + number).
    HRESULT Raise(const QString& description, std::uint16_t number) const;

private:
    const DISPPARAMS& params_;
    EXCEPINFO* excepInfo_;
    unsigned* argErr_;
};

class AutomationObject : public IDispatch {
public:
    using Getter = std::function<HRESULT(const MemberCall&, Variant& result)>;
    using Putter = std::function<HRESULT(const MemberCall&, const Variant& value)>;
    using Method = std::function<HRESULT(const MemberCall&, Variant& result)>;

    HRESULT GetIDsOfNames(const QString* names, unsigned count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override;

protected:
    // A property; `put` empty for a read-only one.
    void AddProperty(const QString& name, Getter get, Putter put = {});
    // A method taking `minArgs` to `maxArgs` arguments.
    void AddMethod(const QString& name, unsigned minArgs, unsigned maxArgs, Method method);

    // S_OK while the object's document is there; checked before every call.
    virtual HRESULT CheckConnected() const { return S_OK; }

private:
    HRESULT InvokeMember(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params,
                         Variant* result, EXCEPINFO* excepInfo, unsigned* argErr);

    struct Member {
        QString name;
        Getter get;
        Putter put;
        Method method;
        unsigned minArgs = 0;
        unsigned maxArgs = 0;
    };
    std::vector<Member> members_;  // DISPID = position + 1
};

}  // namespace velars
