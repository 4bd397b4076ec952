#include "CDynLinkLibrary.h"

#include "AFX_MODULE_STATE.h"
#include "AfxStringSeam.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CObject)

namespace {

// The process's resource chain. All callers are on the user-interface thread or hold the
// loader lock (library entry points), so the chain needs no lock of its own.
CDynLinkLibrary* g_pChainHead = nullptr;

// Reads string nID from one module's string table without copying it.
BOOL FindStringIn(HMODULE hModule, UINT nID, const wchar_t*& text, int& length)
{
    if (hModule == nullptr)
        return FALSE;
    // String resources live in blocks of sixteen; a block that exists holds all sixteen, the
    // missing ones as zero-length entries, so a present block does not prove the string exists.
    HRSRC hInfo = ::FindResourceW(hModule, MAKEINTRESOURCEW((nID >> 4) + 1), MAKEINTRESOURCEW(6));
    if (hInfo == nullptr)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hModule, hInfo);
    const DWORD size = ::SizeofResource(hModule, hInfo) / sizeof(WCHAR);
    const WCHAR* p = hData != nullptr ? static_cast<const WCHAR*>(::LockResource(hData)) : nullptr;
    if (p == nullptr)
        return FALSE;
    const WCHAR* end = p + size;
    for (UINT i = 0; i < (nID & 15); ++i) {
        if (p >= end)
            return FALSE;
        p += 1 + *p;
    }
    if (p >= end || *p == 0 || p + 1 + *p > end)
        return FALSE;
    length = *p;
    text = p + 1;
    return TRUE;
}

// The current module first, then the chain: the module that has string nID, or null.
HINSTANCE FindString(UINT nID, const wchar_t*& text, int& length)
{
    const HINSTANCE hFirst = AfxGetResourceHandle();
    if (FindStringIn(hFirst, nID, text, length))
        return hFirst;
    for (CDynLinkLibrary* p = g_pChainHead; p != nullptr; p = p->m_pNextDLL)
        if (FindStringIn(p->m_hResource, nID, text, length))
            return p->m_hResource;
    return nullptr;
}

} // namespace

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pNextDLL(g_pChainHead),
      m_hOwner(nullptr)
{
    g_pChainHead = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** pp = &g_pChainHead; *pp != nullptr; pp = &(*pp)->m_pNextDLL)
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
}

CDynLinkLibrary* CDynLinkLibrary::GetHead()
{
    return g_pChainHead;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    if (hModule == nullptr)
        return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    // A link whose module is going away would leave the chain pointing into unloaded memory,
    // so the module's own links always go; bAll also removes the links of every other module.
    for (CDynLinkLibrary* p = g_pChainHead; p != nullptr;) {
        CDynLinkLibrary* next = p->m_pNextDLL;
        if (bAll || p->m_hModule == state.hModule)
            delete p;
        p = next;
    }
    state.bInitialized = FALSE;
    state.hModule = nullptr;
    state.hResource = nullptr;
}

void AfxFreeLinksOwnedBy(HMODULE hOwner)
{
    if (hOwner == nullptr)
        return;
    for (CDynLinkLibrary* p = g_pChainHead; p != nullptr;) {
        CDynLinkLibrary* next = p->m_pNextDLL;
        if (p->m_hOwner == hOwner)
            delete p;
        p = next;
    }
}

HINSTANCE AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentResourceHandle = hInstResource != nullptr ? hInstResource : pState->m_hCurrentInstanceHandle;
}

BOOL AfxFindStringResource(UINT nID, const wchar_t*& text, int& length)
{
    return FindString(nID, text, length) != nullptr;
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    const wchar_t* text = nullptr;
    int length = 0;
    return FindString(nID, text, length);
}

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    const HINSTANCE hFirst = AfxGetResourceHandle();
    if (hFirst != nullptr && ::FindResourceW(hFirst, lpszName, lpszType) != nullptr)
        return hFirst;
    for (CDynLinkLibrary* p = g_pChainHead; p != nullptr; p = p->m_pNextDLL)
        if (p->m_hResource != nullptr && ::FindResourceW(p->m_hResource, lpszName, lpszType) != nullptr)
            return p->m_hResource;
    return nullptr;
}
