#pragma once
// The small part of COM that late-bound automation needs: result codes,
// member ids, call kinds and the dispatch interface that every automation
// server (the document server and the Writer server in the program,
// recording fakes in tests) implements.

#include <QString>
#include <cstdint>
#include <memory>

namespace velars {

using HRESULT = std::int32_t;
using DISPID = std::int32_t;
using LCID = std::uint32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_UNEXPECTED = HRESULT(0x8000FFFFu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = HRESULT(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = HRESULT(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = HRESULT(0x80020006u);
constexpr HRESULT DISP_E_EXCEPTION = HRESULT(0x80020009u);
constexpr HRESULT DISP_E_BADINDEX = HRESULT(0x8002000Bu);
constexpr HRESULT DISP_E_BADPARAMCOUNT = HRESULT(0x8002000Eu);
constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = HRESULT(0x8002000Fu);
constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154u);
constexpr HRESULT CO_E_CLASSSTRING = HRESULT(0x800401F3u);
constexpr HRESULT CO_E_SERVER_EXEC_FAILURE = HRESULT(0x80080005u);
constexpr HRESULT RPC_E_DISCONNECTED = HRESULT(0x80010108u);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr std::uint16_t DISPATCH_METHOD = 1;
constexpr std::uint16_t DISPATCH_PROPERTYGET = 2;
constexpr std::uint16_t DISPATCH_PROPERTYPUT = 4;

constexpr DISPID DISPID_UNKNOWN = -1;
constexpr DISPID DISPID_PROPERTYPUT = -3;

class IDispatch;
using DispatchPtr = std::shared_ptr<IDispatch>;

// The base of every server object: the one interface query the automation
// layer needs (a VT_UNKNOWN value is asked for its dispatch interface).
class IUnknown : public std::enable_shared_from_this<IUnknown> {
public:
    virtual ~IUnknown() = default;
    // The object's dispatch interface, or null (E_NOINTERFACE) when it has none.
    virtual DispatchPtr QueryDispatch() = 0;
};
using UnknownPtr = std::shared_ptr<IUnknown>;

}  // namespace velars
