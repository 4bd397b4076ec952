#include "QLNLibraryString.h"

#ifdef _WIN32
// The linker's symbol for the start of this module's image, which is its module handle.
extern "C" IMAGE_DOS_HEADER __ImageBase;
#endif

BOOL QLNLoadLibraryString(CString& str, UINT nID)
{
    if (str.LoadString(nID))
        return TRUE;
#ifdef _WIN32
    // A buffer size of 0 asks for a read-only pointer into the resource itself.
    const wchar_t* pch = nullptr;
    const int nLength = ::LoadStringW(reinterpret_cast<HINSTANCE>(&__ImageBase), nID,
                                      reinterpret_cast<LPWSTR>(&pch), 0);
    if (nLength <= 0 || pch == nullptr)
        return FALSE;
    str = CString(pch, nLength);
    return TRUE;
#else
    // A native build links its string table into the one seam CString::LoadString searches.
    return FALSE;
#endif
}
