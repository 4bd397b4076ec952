#include "AfxStringTable.h"

#include "AfxStringSeam.h"

BOOL AfxFindStringResource(UINT nID, const wchar_t*& text, int& length)
{
    // The first entry with the id answers, as the first module on the search road does. An
    // empty string is no string, as in a compiled string table, and the search goes on.
    for (const AfxStringTableEntry* p = afxStringTable; p->pszText != nullptr; ++p) {
        if (p->nID == nID && p->nLength > 0) {
            text = p->pszText;
            length = p->nLength;
            return TRUE;
        }
    }
    return FALSE;
}
