// The system's colour dialog (ChooseColorW), run modally over the top-level window of its
// parent, else of the active window. The sixteen custom colours the user defines in it are
// kept for the process, so that the next colour dialog offers them again.
#pragma once
#include "CDialog.h"

#include <commdlg.h>

class AFX_CORE_API CColorDialog : public CDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    // dwFlags: CC_… flags besides CC_RGBINIT, which is always set.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK or IDCANCEL; IDCANCEL too when the dialog could not be shown.
    INT_PTR DoModal() override;
    // The colour chosen, or the initial one before the dialog ran or after it was cancelled.
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc;
};
