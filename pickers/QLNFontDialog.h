// The library's font chooser: face, style and size boxes, underline and strike-out, a colour box
// and a sample drawn in the chosen font and colour.
//
// Modal (template 11012, with OK, Cancel and Help): construct, SetCurrentFont, SetCurrentColor,
// DoModal, and on IDOK read GetCurrentFont and GetCurrentColor. Embedded in a page
// (CreateFontDialog, templates 11011 and 11017, no buttons): construct, set the font and colour,
// CreateFontDialog; every change the user makes refreshes the font and colour read back.
//
// Sizes are whole points, converted to logical heights at the desktop's vertical resolution.
// What the user leaves as it was shown comes back exactly as it was given: a face (and its
// character set), a style (and its weight), a size (its height and its size in points). A face
// the user chose comes back with DEFAULT_CHARSET.
//
// The face box completes a name typed into it to the first listed face that begins with it,
// the rest of the name selected so that typing goes on over it. A page the dialog covers may
// refuse a face the box does not list (and that is not the face given) as the user leaves or
// applies it (CheckFace); the modal dialog takes any face typed, as its callers expect.
#pragma once
#include "QLNBaseExport.h"

#include "CComboBox.h"
#include "CFont.h"
#include "CStatic.h"
#include "CString.h"
#include "QLNColorPickerCB.h"
#include "QLNCtrlDialogBase.h"

class QLN_BASE_API CQLNFontDialog : public CQLNCtrlDialogBase
{
    DECLARE_DYNAMIC(CQLNFontDialog)
public:
    explicit CQLNFontDialog(CDialog* pParent = nullptr);

    // Creates the dialog as a borderless child covering pParent's client area, and shows it.
    BOOL CreateFontDialog(CDialog* pParent);

    // Takes the font in; the controls show it at the next loading exchange (OnInitDialog).
    void SetCurrentFont(const LOGFONTW& lf);
    void GetCurrentFont(LOGFONTW& lf) const;
    void SetCurrentColor(COLORREF cr);
    COLORREF GetCurrentColor() const;
    // The size in points times 10000 that the current font's height stands for: as given after
    // SetCurrentFont (the height's own size, unless SetCurrentSize says it exactly), the whole
    // points the user chose once the size changed.
    void SetCurrentSize(CY cySize);
    CY GetCurrentSize() const;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Whether the face box names a face that exists: one it lists, or the face given (which may
    // be one this machine lacks). When not, says so, puts the focus in the box with its text
    // selected and answers zero. Before the dialog has a window, nothing is typed: non-zero.
    BOOL CheckFace();

    static const wchar_t* const m_kszDefaultSizes[16];
    static const wchar_t m_kszStyleRegular[];
    static const wchar_t m_kszStyleBold[];
    static const wchar_t m_kszStyleItalic[];
    static const wchar_t m_kszStyleBoldItalic[];

    // Shows lf in a sample text, re-creating the sample's font only if lf differs from it; the
    // font control's sample shares this.
    static void ShowSampleFont(CStatic& stSample, CFont& fontSample, const LOGFONTW& lf);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnComboSelChange();
    void OnComboEditChange();
    // Strikeout or underline clicked.
    void OnClickedEffect();
    void OnHelp();
    // Reads the controls and shows the sample in what they now choose.
    void ShowChosenSample();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnColorChanged(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM);

    // Selects the list item that equals the box's edit text, through posted notifications, once
    // no more typed characters wait for the box; any other size takes effect at once.
    void SetComboSelFromWindowText(CComboBox& box);
    // From the controls' members into m_lf.
    void UpdateCurrentFont();
    // Refreshes m_lf and shows it in the sample, re-creating the sample font only if it changed.
    void UpdateSampleText();

    // Lists each TrueType face with the ANSI character set once; lParam is the dialog.
    static int CALLBACK FontEnumProcFaceName(const LOGFONTW* plf, const TEXTMETRICW* ptm, DWORD fontType,
                                             LPARAM lParam);

    CComboBox m_cbStyle;
    CComboBox m_cbSize;
    CComboBox m_cbFace;
    BOOL m_bStrikeOut;
    BOOL m_bUnderline;
    CString m_strFace;
    CString m_strStyle;
    CQLNColorPickerCB m_cbColor;
    COLORREF m_crColor;
    CStatic m_stSample;
    CString m_strSize;
    CFont m_fontSample;
    LOGFONTW m_lf;
    int m_nLogPixelsY;
    CY m_cySize;

    // The font as SetCurrentFont gave it and the texts that showed it; without one, every
    // refresh takes what the controls hold.
    BOOL m_bFontGiven;
    LOGFONTW m_lfGiven;
    CY m_cySizeGiven;
    CString m_strFaceGiven;
    CString m_strStyleGiven;
    CString m_strSizeGiven;

    DECLARE_MESSAGE_MAP()

private:
    // Completes the face box's text to the first face that begins with it, when the user has
    // just typed at its end; answers whether it did.
    bool CompleteFace();

    // The font box whose edit field has the focus; null when the focus is elsewhere.
    CComboBox* FocusedCombo() const;
    // Whether characters typed into the box's edit field are still waiting to be handled.
    static bool CharsWaiting(const CComboBox& box);
    // Widens the modal dialog's face box to its longest face, moving what lies right of it.
    void FitFaceList();

    // Whether the last input to the face box was a character typed (not Backspace, Delete or
    // a control character such as a paste): only that is completed, so what the user deletes
    // is not put back at once.
    bool m_bFaceTyped = false;
};
