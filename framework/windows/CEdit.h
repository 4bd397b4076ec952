// The system's EDIT control.
#pragma once
#include "CWnd.h"

class AFX_CORE_API CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
public:
    // An EDIT child window of the parent.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetLineCount() const;
    // Copies line nIndex into the buffer, without a terminating zero, at most nMaxLength
    // characters (at most 65535: the count travels in the buffer's first character); returns
    // the number copied, 0 for a line past the end.
    int GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const;
    // The default limit of an edit control is about 32000 characters.
    void SetLimitText(UINT nMax);
};
