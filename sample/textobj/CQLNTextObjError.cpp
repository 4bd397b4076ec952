#include "CQLNTextObjError.h"

#include <cwchar>

namespace {

// Automation's own codes, for which the system has no message text everywhere.
const wchar_t* AutomationText(HRESULT hr)
{
    switch (hr) {
    case DISP_E_TYPEMISMATCH: return L"the value is not of the property's type";
    case DISP_E_OVERFLOW: return L"the value is out of the property's range";
    case DISP_E_UNKNOWNNAME: return L"unknown name";
    case DISP_E_MEMBERNOTFOUND: return L"no such member, or it cannot be written";
    case DISP_E_BADPARAMCOUNT: return L"wrong number of arguments";
    case DISP_E_PARAMNOTOPTIONAL: return L"an argument is missing";
    case DISP_E_EXCEPTION: return L"the control raised an exception";
    default: return nullptr;
    }
}

} // namespace

std::wstring CQLNTextObjError::Describe(HRESULT hr)
{
    wchar_t code[16];
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    if (const wchar_t* pszText = AutomationText(hr))
        return std::wstring(pszText) + L" (" + code + L")";
    wchar_t* pszMessage = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&pszMessage), 0,
                                     nullptr);
    std::wstring text;
    if (n != 0 && pszMessage != nullptr)
        text.assign(pszMessage, n);
    if (pszMessage != nullptr)
        ::LocalFree(pszMessage);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text.empty() ? std::wstring(L"error ") + code : text + L" (" + code + L")";
}

std::wstring CQLNTextObjError::DescribeInvoke(HRESULT hr, EXCEPINFO& excepInfo)
{
    // A deferred description is filled in only on request.
    if (excepInfo.pfnDeferredFillIn != nullptr)
        excepInfo.pfnDeferredFillIn(&excepInfo);
    std::wstring text;
    if (hr == DISP_E_EXCEPTION && excepInfo.bstrDescription != nullptr && *excepInfo.bstrDescription != L'\0')
        text = excepInfo.bstrDescription;
    else if (hr == DISP_E_EXCEPTION && excepInfo.scode != S_OK)
        text = Describe(excepInfo.scode);
    else
        text = Describe(hr);
    ::SysFreeString(excepInfo.bstrSource);
    ::SysFreeString(excepInfo.bstrDescription);
    ::SysFreeString(excepInfo.bstrHelpFile);
    excepInfo.bstrSource = excepInfo.bstrDescription = excepInfo.bstrHelpFile = nullptr;
    return text;
}
