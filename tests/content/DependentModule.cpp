// A report-object library in miniature: it links the base library's resources into the chain
// while it loads, and loads strings from its own code as a report object's pages would.
#include "CDynLinkLibrary.h"
#include "CString.h"
#include "QLNBaseLibrary.h"

#include <cwchar>

namespace {

CDynLinkLibrary* g_pBaseLink = nullptr;

void UnlinkBase()
{
    // The base library takes its links out of the chain when it unloads first; only a link
    // still in the chain is ours to delete.
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetHead(); p != nullptr; p = p->m_pNextDLL)
        if (p == g_pBaseLink) {
            delete p;
            break;
        }
    g_pBaseLink = nullptr;
}

} // namespace

// Copies string nID, as CString::LoadString finds it from this module, into the buffer; returns
// its length, or -1 when it was not found or does not fit.
extern "C" __declspec(dllexport) int LoadStringFromDependent(UINT nID, wchar_t* pszBuffer, int nBufferLength)
{
    CString str;
    if (!str.LoadString(nID) || str.GetLength() >= nBufferLength)
        return -1;
    std::wmemcpy(pszBuffer, str.GetString(), static_cast<size_t>(str.GetLength()) + 1);
    return str.GetLength();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        g_pBaseLink = QLV_BaseLibInit();
    else if (dwReason == DLL_PROCESS_DETACH)
        UnlinkBase();
    return TRUE;
}
