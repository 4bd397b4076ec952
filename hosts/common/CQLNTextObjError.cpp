#include "CQLNTextObjError.h"

#include <cwchar>

namespace {

// The failures a host meets most, in words that fit after "cannot open page.qrp: ". The system's
// own messages are sentences ending in a full stop, and Wine has none for the storage codes and
// for many others ("error 0x80030050" said nothing to a person).
const wchar_t* KnownText(HRESULT hr)
{
    switch (hr) {
    case DISP_E_TYPEMISMATCH: return L"the value is not of the property's type";
    case DISP_E_OVERFLOW: return L"the value is out of the property's range";
    case DISP_E_UNKNOWNNAME: return L"unknown name";
    case DISP_E_MEMBERNOTFOUND: return L"no such member, or it cannot be written";
    case DISP_E_BADPARAMCOUNT: return L"wrong number of arguments";
    case DISP_E_PARAMNOTOPTIONAL: return L"an argument is missing";
    case DISP_E_EXCEPTION: return L"the control raised an exception";
    case E_OUTOFMEMORY:
    case STG_E_INSUFFICIENTMEMORY: return L"there is not enough memory";
    case E_FAIL: return L"the operation failed without saying why";
    case E_NOINTERFACE: return L"the object does not offer what was asked of it";
    case STG_E_FILENOTFOUND:
    case HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): return L"the file does not exist";
    case STG_E_PATHNOTFOUND:
    case HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND): return L"the folder does not exist";
    case E_ACCESSDENIED:
    case STG_E_ACCESSDENIED: return L"access is denied: the file or its folder may be read-only";
    case STG_E_SHAREVIOLATION:
    case STG_E_LOCKVIOLATION:
    case HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION):
    case HRESULT_FROM_WIN32(ERROR_LOCK_VIOLATION): return L"the file is in use by another program";
    case STG_E_MEDIUMFULL:
    case HRESULT_FROM_WIN32(ERROR_DISK_FULL):
    case HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL): return L"the disk is full";
    case STG_E_DISKISWRITEPROTECTED:
    case HRESULT_FROM_WIN32(ERROR_WRITE_PROTECT): return L"the disk is write-protected";
    case STG_E_READFAULT:
    case HRESULT_FROM_WIN32(ERROR_READ_FAULT): return L"the disk could not be read";
    case STG_E_WRITEFAULT:
    case HRESULT_FROM_WIN32(ERROR_WRITE_FAULT): return L"the disk could not be written";
    case STG_E_INVALIDNAME:
    case HRESULT_FROM_WIN32(ERROR_INVALID_NAME): return L"the name is not a valid file name";
    case STG_E_TOOMANYOPENFILES:
    case HRESULT_FROM_WIN32(ERROR_TOO_MANY_OPEN_FILES): return L"too many files are open";
    // Opening a file that is no compound file gives this code.
    case STG_E_FILEALREADYEXISTS: return L"the file is not a compound file";
    case STG_E_INVALIDHEADER: return L"the file's header is damaged";
    case STG_E_DOCFILECORRUPT: return L"the file is damaged";
    case REGDB_E_CLASSNOTREG: return L"the class is not registered on this computer";
    case CLASS_E_CLASSNOTAVAILABLE: return L"the class's library does not make objects of the class";
    case CO_E_SERVER_EXEC_FAILURE: return L"the class's program could not be started";
    case HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND): return L"the class's library cannot be found or loaded";
    default: return nullptr;
    }
}

// The system's message for a code, its full stop and line break taken off; empty when it has none.
std::wstring SystemText(DWORD dwCode)
{
    wchar_t* pszMessage = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, dwCode, 0, reinterpret_cast<wchar_t*>(&pszMessage), 0, nullptr);
    std::wstring text;
    if (n != 0 && pszMessage != nullptr)
        text.assign(pszMessage, n);
    if (pszMessage != nullptr)
        ::LocalFree(pszMessage);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
        text.pop_back();
    return text;
}

} // namespace

std::wstring CQLNTextObjError::Describe(HRESULT hr)
{
    wchar_t code[16];
    swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    if (const wchar_t* pszText = KnownText(hr))
        return std::wstring(pszText) + L" (" + code + L")";
    std::wstring text = SystemText(static_cast<DWORD>(hr));
    // A code made from a system error has that error's message where the code itself has none.
    if (text.empty() && HRESULT_FACILITY(hr) == FACILITY_WIN32)
        text = SystemText(HRESULT_CODE(hr));
    return (text.empty() ? std::wstring(L"a failure the system does not describe") : text) + L" (" + code + L")";
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
