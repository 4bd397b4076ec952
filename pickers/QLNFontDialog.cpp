#include "QLNFontDialog.h"

#include "AfxDDX.h"
#include "AfxMessageBox.h"
#include "COlePropertyPage.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNFontConversion.h"
#include "QLNLibraryString.h"
#include "QLNOpenPageHelp.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>

namespace {

const UINT WM_QLN_COLOR_CHANGED = WM_USER + 5;

// The vertical resolution of the screen, in which sizes in points become logical heights.
int DesktopLogPixelsY()
{
    const HWND hDesktop = ::GetDesktopWindow();
    const HDC hDC = ::GetDC(hDesktop);
    const int nLogPixelsY = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
    if (hDC != nullptr)
        ::ReleaseDC(hDesktop, hDC);
    return nLogPixelsY;
}

} // namespace

const wchar_t* const CQLNFontDialog::m_kszDefaultSizes[16] = {
    L"8", L"9", L"10", L"11", L"12", L"14", L"16", L"18", L"20", L"22", L"24", L"26", L"28", L"36", L"48", L"72"};
const wchar_t CQLNFontDialog::m_kszStyleRegular[] = L"Regular";
const wchar_t CQLNFontDialog::m_kszStyleBold[] = L"Bold";
const wchar_t CQLNFontDialog::m_kszStyleItalic[] = L"Italic";
const wchar_t CQLNFontDialog::m_kszStyleBoldItalic[] = L"Bold Italic";

IMPLEMENT_DYNAMIC(CQLNFontDialog, CQLNCtrlDialogBase)

// The selection change of each box is posted with the face box's id (SetComboSelFromWindowText);
// the handlers find the box by the focus.
BEGIN_MESSAGE_MAP(CQLNFontDialog, CQLNCtrlDialogBase)
    ON_CBN_SELCHANGE(IDC_QLN_FACE, OnComboSelChange)
    ON_CBN_SELCHANGE(IDC_QLN_STYLE, OnComboSelChange)
    ON_CBN_SELCHANGE(IDC_QLN_SIZE, OnComboSelChange)
    ON_CBN_EDITCHANGE(IDC_QLN_FACE, OnComboEditChange)
    ON_CBN_EDITCHANGE(IDC_QLN_STYLE, OnComboEditChange)
    ON_CBN_EDITCHANGE(IDC_QLN_SIZE, OnComboEditChange)
    ON_BN_CLICKED(IDC_QLN_STRIKEOUT, OnClickedEffect)
    ON_BN_CLICKED(IDC_QLN_UNDERLINE, OnClickedEffect)
    ON_BN_CLICKED(IDC_QLN_FONT_HELP, OnHelp)
    ON_WM_CTLCOLOR()
    ON_MESSAGE(WM_QLN_COLOR_CHANGED, OnColorChanged)
    ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
END_MESSAGE_MAP()

CQLNFontDialog::CQLNFontDialog(CDialog* pParent)
    : CQLNCtrlDialogBase(IDD_QLN_FONT_DIALOG, pParent), m_bStrikeOut(FALSE), m_bUnderline(FALSE), m_crColor(0),
      m_lf(), m_nLogPixelsY(DesktopLogPixelsY()), m_cySize(), m_bFontGiven(FALSE), m_lfGiven(), m_cySizeGiven()
{
    m_nIDHelpButton = IDC_QLN_FONT_HELP;
    m_lf.lfHeight = -13;
    m_lf.lfWeight = FW_NORMAL;
    m_lf.lfCharSet = ANSI_CHARSET;
    m_lf.lfOutPrecision = OUT_STROKE_PRECIS;
    m_lf.lfClipPrecision = CLIP_STROKE_PRECIS;
    m_lf.lfQuality = DRAFT_QUALITY;
    m_lf.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
    ::lstrcpynW(m_lf.lfFaceName, L"Times New Roman", LF_FACESIZE);
    m_cySize = QLNHeightToFontSize(m_lf.lfHeight);
    m_fontSample.CreateFontIndirect(&m_lf);
}

BOOL CQLNFontDialog::CreateFontDialog(CDialog* pParent)
{
    const bool bOlePage = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(COlePropertyPage));
    if (!CreateDialogBase(bOlePage ? IDD_QLN_FONT_DIALOG_OLE : IDD_QLN_FONT_DIALOG_CHILD, pParent))
        return FALSE;
    CRect rcParent;
    pParent->GetClientRect(&rcParent);
    MoveWindow(&rcParent, FALSE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

void CQLNFontDialog::SetCurrentFont(const LOGFONTW& lf)
{
    m_bStrikeOut = lf.lfStrikeOut;
    m_bUnderline = lf.lfUnderline;
    // The caller's face name need not be terminated within the field.
    m_strFace = CString(lf.lfFaceName, static_cast<int>(::wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    m_strSize.Format(L"%d", -::MulDiv(lf.lfHeight, 72, m_nLogPixelsY));
    if (lf.lfWeight >= FW_BOLD)
        m_strStyle = lf.lfItalic ? m_kszStyleBoldItalic : m_kszStyleBold;
    else
        m_strStyle = lf.lfItalic ? m_kszStyleItalic : m_kszStyleRegular;
    m_lf = lf;
    m_cySize = QLNHeightToFontSize(lf.lfHeight);
    m_bFontGiven = TRUE;
    m_lfGiven = lf;
    m_cySizeGiven = m_cySize;
    m_strFaceGiven = m_strFace;
    m_strStyleGiven = m_strStyle;
    m_strSizeGiven = m_strSize;
}

void CQLNFontDialog::SetCurrentSize(CY cySize)
{
    if (QLNIsSizeOfHeight(cySize, m_lf.lfHeight)) {
        m_cySize = cySize;
        if (m_bFontGiven && m_lf.lfHeight == m_lfGiven.lfHeight)
            m_cySizeGiven = cySize;
    }
}

CY CQLNFontDialog::GetCurrentSize() const
{
    return m_cySize;
}

void CQLNFontDialog::GetCurrentFont(LOGFONTW& lf) const
{
    lf = m_lf;
}

void CQLNFontDialog::SetCurrentColor(COLORREF cr)
{
    m_crColor = cr;
}

COLORREF CQLNFontDialog::GetCurrentColor() const
{
    return m_crColor;
}

void CQLNFontDialog::DoDataExchange(CDataExchange* pDX)
{
    CQLNCtrlDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QLN_STYLE, m_cbStyle);
    DDX_Control(pDX, IDC_QLN_SIZE, m_cbSize);
    DDX_Control(pDX, IDC_QLN_FACE, m_cbFace);
    DDX_Check(pDX, IDC_QLN_STRIKEOUT, m_bStrikeOut);
    DDX_Check(pDX, IDC_QLN_UNDERLINE, m_bUnderline);
    DDX_CBString(pDX, IDC_QLN_FACE, m_strFace);
    DDX_CBString(pDX, IDC_QLN_STYLE, m_strStyle);
    DDX_CBString(pDX, IDC_QLN_SIZE, m_strSize);
    DDX_Control(pDX, IDC_QLN_SAMPLE, m_stSample);
    DDX_Control(pDX, IDC_QLN_COLOR, m_cbColor);
    if (pDX->m_bSaveAndValidate)
        m_crColor = m_cbColor.GetSelectedColorValue();
    else
        m_cbColor.SetSelectedColorValue(m_crColor);
}

BOOL CQLNFontDialog::OnInitDialog()
{
    CQLNCtrlDialogBase::OnInitDialog();

    LOGFONTW lfRequest = {};
    lfRequest.lfCharSet = DEFAULT_CHARSET;
    if (CDC* pDC = GetDC()) {
        ::EnumFontFamiliesExW(pDC->m_hDC, &lfRequest, &FontEnumProcFaceName, reinterpret_cast<LPARAM>(this), 0);
        ReleaseDC(pDC);
    }
    for (const wchar_t* pszSize : m_kszDefaultSizes)
        m_cbSize.AddString(pszSize);
    for (const wchar_t* pszStyle : {m_kszStyleRegular, m_kszStyleBold, m_kszStyleItalic, m_kszStyleBoldItalic})
        m_cbStyle.AddString(pszStyle);

    SetComboSelFromWindowText(m_cbFace);
    SetComboSelFromWindowText(m_cbStyle);
    SetComboSelFromWindowText(m_cbSize);
    UpdateSampleText();

    FitFaceList();
    // Embedded in a page, the dialog is reached with Tab like any other control. Only there: on a
    // top-level window the same bit is the maximize box.
    if (GetStyle() & WS_CHILD)
        ModifyStyle(0, WS_TABSTOP);
    m_cbSize.LimitText(5);
    return TRUE;
}

int CALLBACK CQLNFontDialog::FontEnumProcFaceName(const LOGFONTW* plf, const TEXTMETRICW*, DWORD fontType,
                                                  LPARAM lParam)
{
    // For the fonts of a device, what the system passes is the extended record.
    const ENUMLOGFONTEXW* pelf = reinterpret_cast<const ENUMLOGFONTEXW*>(plf);
    CQLNFontDialog* pDialog = reinterpret_cast<CQLNFontDialog*>(lParam);
    const wchar_t* pszName = reinterpret_cast<const wchar_t*>(pelf->elfFullName);
    if ((fontType & TRUETYPE_FONTTYPE) && pelf->elfLogFont.lfCharSet == ANSI_CHARSET &&
        pDialog->m_cbFace.FindStringExact(-1, pszName) == CB_ERR)
        pDialog->m_cbFace.AddString(pszName);
    return 1;
}

void CQLNFontDialog::SetComboSelFromWindowText(CComboBox& box)
{
    CString strText;
    box.GetWindowText(strText);
    int nIndex = box.FindStringExact(-1, strText);
    // Characters already queued for the field change the text again before anything posted now
    // arrives, and the selection would then put this text back over them: while more are
    // waiting the text counts as unmatched, and the last of them decides.
    if (nIndex != CB_ERR && CharsWaiting(box))
        nIndex = CB_ERR;
    if (nIndex == CB_ERR) {
        if (box.GetDlgCtrlID() == IDC_QLN_SIZE)
            ShowChosenSample();
        return;
    }
    const LPARAM lBox = reinterpret_cast<LPARAM>(box.m_hWnd);
    PostMessage(WM_COMMAND, MAKEWPARAM(IDC_QLN_FACE, CBN_SELENDOK), lBox);
    box.PostMessage(CB_SETCURSEL, static_cast<WPARAM>(nIndex));
    PostMessage(WM_COMMAND, MAKEWPARAM(IDC_QLN_FACE, CBN_SELCHANGE), lBox);
}

bool CQLNFontDialog::CharsWaiting(const CComboBox& box)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    MSG msg;
    return ::GetComboBoxInfo(box.m_hWnd, &info) && info.hwndItem != nullptr &&
           ::PeekMessageW(&msg, info.hwndItem, WM_CHAR, WM_CHAR, PM_NOREMOVE | PM_NOYIELD);
}

void CQLNFontDialog::FitFaceList()
{
    // The template's box cuts longer names ("DejaVu Sans Condensed"); the modal dialog grows by
    // what the longest needs. Embedded, the dialog must keep to its page and stays as it is.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if ((GetStyle() & WS_CHILD) || !::GetComboBoxInfo(m_cbFace.m_hWnd, &info) || info.hwndList == nullptr)
        return;
    const HDC hDC = ::GetDC(info.hwndList);
    const HGDIOBJ hOldFont = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageW(info.hwndList, WM_GETFONT, 0, 0)));
    int nWidest = 0;
    for (int i = 0; i < m_cbFace.GetCount(); ++i) {
        CString strFace;
        m_cbFace.GetLBText(i, strFace);
        SIZE size = {};
        if (::GetTextExtentPoint32W(hDC, strFace.GetString(), strFace.GetLength(), &size) && size.cx > nWidest)
            nWidest = size.cx;
    }
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(info.hwndList, hDC);
    // The list's borders, its scroll bar and the few pixels a row keeps free on its left.
    RECT rcList = {}, rcClient = {};
    ::GetWindowRect(info.hwndList, &rcList);
    ::GetClientRect(info.hwndList, &rcClient);
    const int nNeeded = nWidest + 6 + (rcList.right - rcList.left - rcClient.right) + ::GetSystemMetrics(SM_CXVSCROLL);
    const int nGrow = nNeeded - (rcList.right - rcList.left);
    if (nGrow <= 0)
        return;
    RECT rcFace = {};
    ::GetWindowRect(m_cbFace.m_hWnd, &rcFace);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcFace), 2);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        RECT rc = {};
        ::GetWindowRect(hChild, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        if (hChild == m_cbFace.m_hWnd)
            ::SetWindowPos(hChild, nullptr, 0, 0, rc.right - rc.left + nGrow, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
        else if (rc.left >= rcFace.right)
            ::SetWindowPos(hChild, nullptr, rc.left + nGrow, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT rcWindow = {};
    ::GetWindowRect(m_hWnd, &rcWindow);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left + nGrow, rcWindow.bottom - rcWindow.top,
                   SWP_NOMOVE | SWP_NOZORDER);
}

CComboBox* CQLNFontDialog::FocusedCombo() const
{
    const HWND hWndFocus = ::GetFocus();
    if (hWndFocus == nullptr || m_hWnd == nullptr || !::IsChild(m_hWnd, hWndFocus))
        return nullptr;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hWndFocus));
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CComboBox)) ? static_cast<CComboBox*>(pParent)
                                                                              : nullptr;
}

void CQLNFontDialog::OnComboEditChange()
{
    CComboBox* pBox = FocusedCombo();
    if (pBox == &m_cbFace && CompleteFace())
        ShowChosenSample();
    else if (pBox != nullptr)
        SetComboSelFromWindowText(*pBox);
}

bool CQLNFontDialog::CompleteFace()
{
    if (!m_bFaceTyped)
        return false;
    m_bFaceTyped = false;
    CString strTyped;
    m_cbFace.GetWindowText(strTyped);
    DWORD dwStart = 0, dwEnd = 0;
    m_cbFace.SendMessage(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    const int nLength = strTyped.GetLength();
    // Typed at the end only: a name being corrected in its middle stays as the user has it.
    if (nLength == 0 || dwStart != static_cast<DWORD>(nLength) || dwEnd != static_cast<DWORD>(nLength))
        return false;
    const int nIndex = m_cbFace.FindString(-1, strTyped);
    if (nIndex == CB_ERR)
        return false;
    // The selection writes the listed name (in its own letter case) without an edit
    // notification; the part the user did not type stays selected for the next key.
    m_cbFace.SetCurSel(nIndex);
    m_cbFace.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nLength, -1));
    return true;
}

BOOL CQLNFontDialog::PreTranslateMessage(MSG* pMsg)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    if ((pMsg->message == WM_CHAR || pMsg->message == WM_KEYDOWN) && m_cbFace.m_hWnd != nullptr &&
        ::GetComboBoxInfo(m_cbFace.m_hWnd, &info) && pMsg->hwnd == info.hwndItem) {
        if (pMsg->message == WM_CHAR)
            m_bFaceTyped = pMsg->wParam >= L' ' && pMsg->wParam != 0x7F;
        else if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
            m_bFaceTyped = false;
    }
    return CQLNCtrlDialogBase::PreTranslateMessage(pMsg);
}

BOOL CQLNFontDialog::CheckFace()
{
    if (m_hWnd == nullptr || m_cbFace.m_hWnd == nullptr)
        return TRUE;
    CString strFace;
    m_cbFace.GetWindowText(strFace);
    if (m_cbFace.FindStringExact(-1, strFace) != CB_ERR || (m_bFontGiven && strFace.CompareNoCase(m_strFaceGiven) == 0))
        return TRUE;
    // The focus first: the window the box returns to gives it back to the box.
    m_cbFace.SetFocus();
    m_cbFace.SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    CString strFormat, strMessage;
    QLNLoadLibraryString(strFormat, IDS_QLN_NO_SUCH_FACE);
    strMessage.Format(strFormat.GetString(), strFace.GetString());
    AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
    return FALSE;
}


void CQLNFontDialog::OnComboSelChange()
{
    CComboBox* pBox = FocusedCombo();
    if (pBox == nullptr || pBox->GetCount() <= 0)
        return;
    const int nIndex = pBox->GetCurSel();
    if (nIndex == CB_ERR)
        return;
    CString strText;
    pBox->GetLBText(nIndex, strText);
    pBox->SetWindowText(strText);
    // Setting the text puts the caret in front of it; the user goes on typing after it.
    const int nLength = strText.GetLength();
    pBox->SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nLength, nLength));
    ShowChosenSample();
}

void CQLNFontDialog::OnClickedEffect()
{
    ShowChosenSample();
}

void CQLNFontDialog::ShowChosenSample()
{
    if (UpdateData(TRUE))
        UpdateSampleText();
}

LRESULT CQLNFontDialog::OnColorChanged(WPARAM, LPARAM)
{
    ShowChosenSample();
    return 0;
}

void CQLNFontDialog::UpdateCurrentFont()
{
    m_lf.lfUnderline = static_cast<BYTE>(m_bUnderline);
    m_lf.lfStrikeOut = static_cast<BYTE>(m_bStrikeOut);
    // A text the user left as it showed the font given (in any letter case, as the list may
    // give it back) keeps what it stood for: the dialog's whole points, its two weights and
    // DEFAULT_CHARSET would otherwise change a font on every OK that nobody touched, 10 points
    // becoming 11.25 after one round. Here the dialog departs from normalising every font it
    // shows, which loses the user's sizes.
    const bool bFace = m_bFontGiven && m_strFace.CompareNoCase(m_strFaceGiven) == 0;
    const bool bStyle = m_bFontGiven && m_strStyle.CompareNoCase(m_strStyleGiven) == 0;
    const bool bSize = m_bFontGiven && ::_wtoi(m_strSize) == ::_wtoi(m_strSizeGiven);
    // Cleared first, so that the record compares equal to the one the system gives back.
    std::fill(std::begin(m_lf.lfFaceName), std::end(m_lf.lfFaceName), L'\0');
    if (bFace) {
        std::copy(std::begin(m_lfGiven.lfFaceName), std::end(m_lfGiven.lfFaceName), std::begin(m_lf.lfFaceName));
        m_lf.lfCharSet = m_lfGiven.lfCharSet;
    } else {
        ::lstrcpynW(m_lf.lfFaceName, m_strFace, LF_FACESIZE);
        m_lf.lfCharSet = DEFAULT_CHARSET;
    }
    if (bSize) {
        m_lf.lfHeight = m_lfGiven.lfHeight;
        m_cySize = m_cySizeGiven;
    } else {
        // Whole points only: "10.5" is 10; a text without a number gives 0, the system's
        // default height.
        const int nPoints = ::_wtoi(m_strSize);
        m_lf.lfHeight = -::MulDiv(nPoints, m_nLogPixelsY, 72);
        m_cySize.int64 = nPoints > 0 ? std::min<LONGLONG>(nPoints * 10000LL, AFX_MAX_FONT_SIZE) : 0;
    }
    if (bStyle) {
        m_lf.lfWeight = m_lfGiven.lfWeight;
        m_lf.lfItalic = m_lfGiven.lfItalic;
    } else {
        m_lf.lfWeight = m_strStyle.Find(L"Bold") >= 0 ? FW_BOLD : FW_NORMAL;
        m_lf.lfItalic = m_strStyle.Find(L"Italic") >= 0 ? 1 : 0;
    }
}

void CQLNFontDialog::UpdateSampleText()
{
    UpdateCurrentFont();
    ShowSampleFont(m_stSample, m_fontSample, m_lf);
}

void CQLNFontDialog::ShowSampleFont(CStatic& stSample, CFont& fontSample, const LOGFONTW& lf)
{
    LOGFONTW lfShown = {};
    fontSample.GetLogFont(&lfShown);
    if (std::memcmp(&lfShown, &lf, sizeof(LOGFONTW)) != 0) {
        fontSample.DeleteObject();
        fontSample.CreateFontIndirect(&lf);
    }
    stSample.SetFont(&fontSample, TRUE);
}

HBRUSH CQLNFontDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    const HBRUSH hBrush = CQLNCtrlDialogBase::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_QLN_SAMPLE)
        pDC->SetTextColor(m_crColor);
    return hBrush;
}

LRESULT CQLNFontDialog::OnSysCommand(WPARAM wParam, LPARAM)
{
    // The dialog has a fixed layout: nothing (a window manager's key, a menu) may maximize or
    // size it, whatever the system's default would do with the command.
    const WPARAM nCommand = wParam & 0xFFF0;
    if ((nCommand == SC_MAXIMIZE && !(GetStyle() & WS_MAXIMIZEBOX)) || (nCommand == SC_SIZE && !(GetStyle() & WS_THICKFRAME)))
        return 0;
    return Default();
}

void CQLNFontDialog::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_FONT_DIALOG);
}
