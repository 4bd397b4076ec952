#include "QLN_IntEditCtrl.h"

#include "AfxOwnedMessageBox.h"
#include "QLNBaseRes.h"
#include "QLNConvertStringToDouble.h"
#include "QLNLibraryString.h"

namespace {

const UINT WM_QLN_RANGE_MESSAGE = WM_USER + 7;

} // namespace

IMPLEMENT_DYNAMIC(CQLN_IntEditCtrl, CEdit)

BEGIN_MESSAGE_MAP(CQLN_IntEditCtrl, CEdit)
    ON_WM_KILLFOCUS()
    ON_MESSAGE(WM_QLN_RANGE_MESSAGE, OnRangeMessage)
END_MESSAGE_MAP()

CQLN_IntEditCtrl::CQLN_IntEditCtrl() : m_nMin(-2147483647 - 1), m_nMax(2147483647), m_bInMessage(FALSE)
{
}

BOOL CQLN_IntEditCtrl::IsValid()
{
    CString strText;
    GetWindowText(strText);
    if (!IsWindowVisible() || !IsWindowEnabled())
        return TRUE;
    double dValue = 0.0;
    return QLNConvertStringToDouble(strText.GetString(), dValue) && static_cast<double>(m_nMin) <= dValue &&
           dValue <= static_cast<double>(m_nMax);
}

void CQLN_IntEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    const BOOL bToCancel = pNewWnd != nullptr && pNewWnd->m_hWnd != nullptr && pNewWnd->GetDlgCtrlID() == IDCANCEL;
    if (!m_bInMessage && !bToCancel && !IsValid())
        PostMessage(WM_QLN_RANGE_MESSAGE);
    CEdit::OnKillFocus(pNewWnd);
}

LRESULT CQLN_IntEditCtrl::OnRangeMessage(WPARAM, LPARAM)
{
    CString strFormat;
    QLNLoadLibraryString(strFormat, IDS_QLN_DECIMAL_RANGE);
    CString strMessage;
    strMessage.Format(strFormat.GetString(), m_nMin, m_nMax);
    // The edit's window may go while the box is up (its sheet closed from elsewhere).
    const HWND hWnd = m_hWnd;
    m_bInMessage = TRUE;
    // Captioned with the title of the window the edit is in (the object's sheet shows the
    // object's name) rather than the library's string "Text", which names nothing the user
    // knows; an edit in an untitled window keeps that string.
    CString strCaption;
    const HWND hWndTop = ::GetAncestor(hWnd, GA_ROOT);
    if (hWndTop == nullptr || ::GetWindowTextLengthW(hWndTop) == 0)
        QLNLoadLibraryString(strCaption, IDS_QLN_DECIMAL_RANGE_CAPTION);
    AfxOwnedMessageBox(hWnd, strMessage.GetString(), strCaption.IsEmpty() ? nullptr : strCaption.GetString(),
                       MB_ICONEXCLAMATION | MB_OK);
    m_bInMessage = FALSE;
    if (::IsWindow(hWnd) && FromHandlePermanent(hWnd) == this) {
        SetFocus();
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET);
    }
    return 1;
}
