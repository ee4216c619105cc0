#include "automation/Automation.h"

namespace velars {

namespace {

struct KnownError {
    HRESULT code;
    const char* text;
};

// The system's texts for the result codes an automation call can meet.
constexpr KnownError kKnownErrors[] = {
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_FAIL, "Unspecified error"},
    {E_UNEXPECTED, "Catastrophic failure"},
    {E_INVALIDARG, "The parameter is incorrect"},
    {DISP_E_MEMBERNOTFOUND, "Member not found"},
    {DISP_E_TYPEMISMATCH, "Type mismatch"},
    {DISP_E_UNKNOWNNAME, "Unknown name"},
    {DISP_E_EXCEPTION, "Exception occurred"},
    {DISP_E_BADINDEX, "Invalid index"},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters"},
    {DISP_E_PARAMNOTOPTIONAL, "Parameter not optional"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_CLASSSTRING, "Invalid class string"},
    {CO_E_SERVER_EXEC_FAILURE, "Server execution failed"},
    {RPC_E_DISCONNECTED, "The object invoked has disconnected from its clients"},
};

}  // namespace

QString OleErrorMessage(HRESULT errorCode) {
    for (const KnownError& known : kKnownErrors) {
        if (known.code == errorCode) return QString::fromLatin1(known.text);
    }
    const QString hex = QString::number(static_cast<std::uint32_t>(errorCode), 16).toUpper();
    return QStringLiteral("OLE error ") + hex.rightJustified(8, QLatin1Char('0'));
}

EOleSysError::EOleSysError(HRESULT errorCode)
    : Exception(OleErrorMessage(errorCode)), errorCode_(errorCode) {}

HRESULT OleCheck(HRESULT result) {
    if (FAILED(result)) throw EOleSysError(result);
    return result;
}

}  // namespace velars
