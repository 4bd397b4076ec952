// The decimal setting's edit: checks its text against an inclusive range when it loses the focus
// and, when the text is no number in range, tells the user in a message box once the focus has
// moved, then takes the focus back with the text selected. Moving to Cancel (IDCANCEL) is let
// through without a word. While hidden or disabled any text passes.
#pragma once
#include "QLNBaseExport.h"

#include "CEdit.h"

class QLN_BASE_API CQLN_IntEditCtrl : public CEdit
{
    DECLARE_DYNAMIC(CQLN_IntEditCtrl)
public:
    CQLN_IntEditCtrl();

    // Non-zero when the text is a number within [m_nMin, m_nMax]; an empty text is none.
    BOOL IsValid();

    // The bounds, inclusive; the page sets them directly.
    int m_nMin;
    int m_nMax;
    // Set while the range message is on screen, so that the box taking the focus does not
    // raise a second one.
    BOOL m_bInMessage;

protected:
    void OnKillFocus(CWnd* pNewWnd);
    LRESULT OnRangeMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
