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
    // The character index where line nLine starts (-1: the caret's line); -1 past the end.
    int LineIndex(int nLine = -1) const;
    // Length of the line holding character nLine.
    int LineLength(int nLine = -1) const;
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo = FALSE);
    // The default limit of an edit control is about 32000 characters.
    void SetLimitText(UINT nMax);
};
