// The framework's exception types, one row each: how a caller asks the raising object for one,
// and what a client of its dispatch interface is then told.
#pragma once
#include <windows.h>

namespace modtest {

struct RaisedKind
{
    short nKind;                 // the argument of Raise, CatchHere and DrawRefused
    const char* pszClass;        // the run-time class of what is thrown
    HRESULT scode;               // EXCEPINFO's scode at the caller; 0 where wCode is set instead
    const wchar_t* pszDescription;
};

// The status and description the object gives the exceptions that carry them.
constexpr HRESULT kRaisedOleStatus = STG_E_ACCESSDENIED;
constexpr WORD kRaisedDispatchCode = 1001;
constexpr const wchar_t* kRaisedDispatchText = L"The object refused the value.";

inline constexpr RaisedKind kRaisedKinds[] = {
    // A framework exception with no status of its own becomes E_FAIL, told as E_UNEXPECTED.
    {0, "CInvalidArgException", E_UNEXPECTED, L""},
    {1, "CMemoryException", E_OUTOFMEMORY, L""},
    {2, "CUserException", E_UNEXPECTED, L""},
    // The OLE exception's own status reaches the caller.
    {3, "COleException", kRaisedOleStatus, L""},
    // An automation error reaches the caller with its code and description.
    {4, "COleDispatchException", 0, kRaisedDispatchText},
};

} // namespace modtest
