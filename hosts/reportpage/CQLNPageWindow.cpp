#include "CQLNPageWindow.h"

#include "CQLNInsertDialog.h"
#include "CQLNPageFrame.h"
#include "CQLNPageMenu.h"
#include "CQLNPagePrinter.h"
#include "CQLNPageScale.h"
#include "CQLNResultBatch.h"
#include "CQLNTimeDecimalsDialog.h"
#include "QLNReportPageRes.h"

#include <cderr.h>
#include <commdlg.h>
#include <olectl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kClassName[] = L"QLNReportPage";
const wchar_t kAppName[] = L"Report Page";
// Grey around the paper, in pixels.
const int kGap = 16;
const int kHandleSize = 7;
// An arrow key moves the selection by a millimetre.
const long kNudge = 100;

} // namespace

CQLNPageWindow::CQLNPageWindow() : m_page(this)
{
}

CQLNPageWindow::~CQLNPageWindow()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
    m_selected.Reset();
    m_page.Close();
    delete m_pFrame;
}

bool CQLNPageWindow::Create(const std::wstring& path, int nZoom, std::wstring& error, BadFile badFile)
{
    m_strPath = path;
    m_nZoom = nZoom;
    std::wstring refused;
    if (!path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !m_page.Load(path, refused)) {
        if (badFile == BadFile::Refuse) {
            error = refused;
            return false;
        }
        // Not named after the file: a save must not write over what may yet be rescued from it.
        m_strPath.clear();
    }
    const HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(hInstance, kClassName, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &WndProc;
        wc.hInstance = hInstance;
        wc.hCursor = nullptr;
        wc.hbrBackground = nullptr;
        wc.lpszMenuName = MAKEINTRESOURCEW(IDR_PAGE_MENU);
        wc.lpszClassName = kClassName;
        if (!::RegisterClassExW(&wc)) {
            error = L"cannot register the page window's class";
            return false;
        }
    }
    m_hWnd = ::CreateWindowExW(0, kClassName, kAppName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL,
                               20, 20, 900, 760, nullptr, nullptr, hInstance, this);
    if (m_hWnd == nullptr) {
        error = L"cannot create the page window";
        return false;
    }
    m_pFrame = new CQLNPageFrame(m_hWnd);
    UpdateTitle();
    UpdateEditMenu();
    // What opening the file changed is told once the window is on screen.
    ::PostMessageW(m_hWnd, WM_COMMAND, ID_PAGE_LOAD_NOTE, 0);
    UpdateScrollBars();
    UpdateMenu();
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    if (!refused.empty())
        Report(refused + L"\n\nA new page is shown instead; the file is left as it is.");
    return true;
}

IOleInPlaceFrame* CQLNPageWindow::InPlaceFrame()
{
    return m_pFrame;
}

LRESULT CALLBACK CQLNPageWindow::WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
        static_cast<CQLNPageWindow*>(pCreate->lpCreateParams)->m_hWnd = hWnd;
    }
    auto* pThis = reinterpret_cast<CQLNPageWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pThis == nullptr)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    return pThis->OnMessage(uMsg, wParam, lParam);
}

LRESULT CQLNPageWindow::OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (uMsg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: OnSize(); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(pt); return 0;
    case WM_CAPTURECHANGED: if (m_drag != Drag::None) OnLButtonUp(); return 0;
    case WM_SETCURSOR: if (LOWORD(lParam) == HTCLIENT && OnSetCursor()) return TRUE; break;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam)); return 0;
    case WM_SYSKEYDOWN: if (wParam == VK_RETURN) { ShowProperties(); return 0; } break;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_CONTEXTMENU: if (OnContextMenu(pt)) return 0; break;
    case WM_INITMENUPOPUP: OnInitMenuPopup(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_HSCROLL: OnScroll(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: OnScroll(SB_VERT, LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnScroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN); return 0;
    case WM_CLOSE: if (OnClose()) ::DestroyWindow(m_hWnd); return 0;
    case WM_DESTROY:
        DeactivateInPlace();
        m_selected.Reset();
        m_page.Close();
        if (m_bQuitOnDestroy)
            ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        return 0;
    default: break;
    }
    return ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

bool CQLNPageWindow::PreTranslate(MSG& msg)
{
    IOleInPlaceActiveObject* pActive = m_pFrame != nullptr ? m_pFrame->ActiveObject() : nullptr;
    if (pActive == nullptr || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    if (pActive->TranslateAccelerator(&msg) == S_OK)
        return true;
    // Esc that the object leaves alone ends the editing; the object stays selected.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        DeactivateInPlace();
        ::SetFocus(m_hWnd);
        return true;
    }
    return false;
}

POINT CQLNPageWindow::Origin() const
{
    RECT rcClient = {};
    ::GetClientRect(m_hWnd, &rcClient);
    const long nWidth = CQLNPageScale::Screen(m_nZoom, POINT{0, 0}).ToDevice(m_page.Size()).cx;
    // A page narrower than the window is centred in it.
    const long nLeft = std::max<long>(kGap, (rcClient.right - nWidth) / 2);
    return POINT{nLeft - m_scroll.x, kGap - m_scroll.y};
}

RECT CQLNPageWindow::ClientRectOf(const CQLNPageObject& object) const
{
    return CQLNPageScale::Screen(m_nZoom, Origin()).ToDevice(object.Place());
}

void CQLNPageWindow::ObjectChanged(CQLNPageObject&)
{
    if (m_hWnd == nullptr || m_bAskingParts)
        return;
    if (m_preview.IsOn())
        PlanSheets();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateTitle();
}

void CQLNPageWindow::ObjectDeactivated(CQLNPageObject& object)
{
    // However the editing in place ended, what it changed is one step.
    m_page.EndEdit(&object);
    if (m_hWnd != nullptr)
        Changed();
}

void CQLNPageWindow::OnPaint()
{
    PAINTSTRUCT ps;
    const HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rcClient = {};
    ::GetClientRect(m_hWnd, &rcClient);
    // Drawn off screen first, so that objects drawn over the paper do not flicker.
    const HDC hMem = ::CreateCompatibleDC(hdc);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, std::max<long>(rcClient.right, 1), std::max<long>(rcClient.bottom, 1));
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::FillRect(hMem, &rcClient, ::GetSysColorBrush(COLOR_APPWORKSPACE));
    std::wstring error;
    if (m_sheets.Count() > 0)
        m_sheets.Draw(hMem, m_page, Origin(), m_nZoom, m_preview.DataName(), error);
    else
        m_page.Draw(hMem, Origin(), m_nZoom, error);
    if (m_selected && m_sheets.Shown() == 0) {
        const RECT rc = ClientRectOf(*m_selected.Get());
        HPEN hPen = ::CreatePen(PS_DOT, 1, RGB(0, 0, 0));
        const HGDIOBJ hOldPen = ::SelectObject(hMem, hPen);
        const HGDIOBJ hOldBrush = ::SelectObject(hMem, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(hMem, rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1);
        ::SelectObject(hMem, hOldPen);
        ::SelectObject(hMem, hOldBrush);
        ::DeleteObject(hPen);
        for (int i = 0; i < 8; ++i) {
            const RECT rcHandle = HandleRect(i);
            ::FillRect(hMem, &rcHandle, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        }
    }
    ::BitBlt(hdc, 0, 0, rcClient.right, rcClient.bottom, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::EndPaint(m_hWnd, &ps);
}

RECT CQLNPageWindow::HandleRect(int nHandle) const
{
    const RECT rc = ClientRectOf(*m_selected.Get());
    const long xs[3] = {rc.left, (rc.left + rc.right) / 2, rc.right};
    const long ys[3] = {rc.top, (rc.top + rc.bottom) / 2, rc.bottom};
    static const int kColumn[8] = {0, 1, 2, 2, 2, 1, 0, 0};
    static const int kRow[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    const long x = xs[kColumn[nHandle]], y = ys[kRow[nHandle]];
    return RECT{x - kHandleSize / 2, y - kHandleSize / 2, x + kHandleSize / 2 + 1, y + kHandleSize / 2 + 1};
}

int CQLNPageWindow::HandleAt(POINT pt) const
{
    if (!m_selected || m_selected->IsInPlaceActive())
        return -1;
    for (int i = 0; i < 8; ++i) {
        RECT rc = HandleRect(i);
        // A pixel of slack around each handle, so that it is easy to hit.
        ::InflateRect(&rc, 1, 1);
        if (::PtInRect(&rc, pt))
            return i;
    }
    return -1;
}

CQLNPageObject* CQLNPageWindow::ObjectAt(POINT pt) const
{
    // A sheet after the first holds parts of tables, none where the page has an object.
    if (m_sheets.Shown() > 0)
        return nullptr;
    const auto& objects = m_page.Objects();
    // The last drawn is on top.
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        const RECT rc = ClientRectOf(*it->Get());
        if (::PtInRect(&rc, pt))
            return it->Get();
    }
    return nullptr;
}

void CQLNPageWindow::Select(CQLNPageObject* pObject)
{
    if (pObject == m_selected.Get())
        return;
    m_selected = pObject;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CQLNPageWindow::SelectNext(int nStep)
{
    const auto& objects = m_page.Objects();
    if (objects.empty())
        return;
    const size_t nCount = objects.size();
    const auto it = std::find_if(objects.begin(), objects.end(), [&](const auto& object) { return object.Get() == m_selected.Get(); });
    size_t nNext = nStep > 0 ? 0 : nCount - 1;
    if (it != objects.end())
        nNext = (static_cast<size_t>(it - objects.begin()) + (nStep > 0 ? 1 : nCount - 1)) % nCount;
    DeactivateInPlace();
    Select(objects[nNext].Get());
}

void CQLNPageWindow::OnLButtonDown(POINT pt)
{
    ::SetFocus(m_hWnd);
    // A click on the page outside the object being edited in place ends the editing.
    DeactivateInPlace();
    const int nHandle = HandleAt(pt);
    CQLNPageObject* pObject = nHandle >= 0 ? m_selected.Get() : ObjectAt(pt);
    Select(pObject);
    if (pObject == nullptr)
        return;
    m_drag = nHandle >= 0 ? Drag::Resize : Drag::Move;
    m_nDragHandle = nHandle;
    m_ptDragStart = pt;
    m_rcDragStart = pObject->Place();
    ::SetCapture(m_hWnd);
}

void CQLNPageWindow::OnMouseMove(POINT pt)
{
    if (m_drag == Drag::None || !m_selected)
        return;
    const long dx = CQLNReportPage::ToHimetric(pt.x - m_ptDragStart.x, m_nZoom);
    const long dy = CQLNReportPage::ToHimetric(pt.y - m_ptDragStart.y, m_nZoom);
    RECT rc = m_rcDragStart;
    if (m_drag == Drag::Move) {
        ::OffsetRect(&rc, dx, dy);
    } else {
        const long nMin = CQLNReportPage::m_klMinObjectSize;
        const int h = m_nDragHandle;
        if (h == 0 || h == 6 || h == 7)
            rc.left = std::min(rc.left + dx, rc.right - nMin);
        if (h == 2 || h == 3 || h == 4)
            rc.right = std::max(rc.right + dx, rc.left + nMin);
        if (h == 0 || h == 1 || h == 2)
            rc.top = std::min(rc.top + dy, rc.bottom - nMin);
        if (h == 4 || h == 5 || h == 6)
            rc.bottom = std::max(rc.bottom + dy, rc.top + nMin);
        // Resizing keeps the edges that are not dragged where they are, even at the paper's edge.
        const SIZE size = m_page.Size();
        rc = {std::max(rc.left, 0L), std::max(rc.top, 0L), std::min(rc.right, size.cx), std::min(rc.bottom, size.cy)};
    }
    m_selected->SetPlace(m_page.Clamp(rc));
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CQLNPageWindow::OnLButtonUp()
{
    if (m_drag == Drag::None)
        return;
    m_drag = Drag::None;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_selected) {
        m_page.Place(m_selected.Get(), m_selected->Place(), m_rcDragStart);
        Changed();
    }
}

void CQLNPageWindow::OnLButtonDblClk(POINT pt)
{
    CQLNPageObject* pObject = ObjectAt(pt);
    if (pObject == nullptr)
        return;
    Select(pObject);
    ShowProperties();
}

bool CQLNPageWindow::OnSetCursor()
{
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    static const LPCWSTR kHandleCursors[8] = {IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE,
                                              IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE};
    const int nHandle = HandleAt(pt);
    LPCWSTR cursor = IDC_ARROW;
    if (nHandle >= 0)
        cursor = kHandleCursors[nHandle];
    else if (ObjectAt(pt) != nullptr)
        cursor = IDC_SIZEALL;
    ::SetCursor(::LoadCursorW(nullptr, cursor));
    return true;
}

void CQLNPageWindow::OnKeyDown(UINT vk)
{
    const bool bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool bShift = ::GetKeyState(VK_SHIFT) < 0;
    switch (vk) {
    case VK_TAB: SelectNext(bShift ? -1 : 1); break;
    case VK_LEFT: Nudge(-kNudge, 0); break;
    case VK_RIGHT: Nudge(kNudge, 0); break;
    case VK_UP: Nudge(0, -kNudge); break;
    case VK_DOWN: Nudge(0, kNudge); break;
    case VK_DELETE: Delete(); break;
    case VK_NEXT: TurnSheet(1); break;
    case VK_PRIOR: TurnSheet(-1); break;
    case VK_INSERT: InsertObject(); break;
    case VK_RETURN: EditInPlace(); break;
    case VK_ESCAPE:
        if (m_selected && m_selected->IsInPlaceActive())
            DeactivateInPlace();
        else
            Select(nullptr);
        break;
    case 'Z': if (bCtrl) UndoOrRedo(::GetKeyState(VK_SHIFT) < 0); break;
    case 'Y': if (bCtrl) UndoOrRedo(true); break;
    case 'S': if (bCtrl) Save(false); break;
    case 'O': if (bCtrl) OpenFile(); break;
    case 'N': if (bCtrl) NewPage(); break;
    case 'P': if (bCtrl) Print(); break;
    default: break;
    }
}

void CQLNPageWindow::OnCommand(UINT nID)
{
    switch (nID) {
    case ID_FILE_NEW: NewPage(); break;
    case ID_FILE_OPEN: OpenFile(); break;
    case ID_FILE_PRINT: Print(); break;
    case ID_FILE_EXPORT_PDF: ExportPdf(); break;
    case ID_FILE_SAVE: Save(false); break;
    case ID_FILE_SAVE_AS: Save(true); break;
    case ID_FILE_EXIT: ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0); break;
    case ID_EDIT_UNDO: UndoOrRedo(false); break;
    case ID_EDIT_REDO: UndoOrRedo(true); break;
    case ID_EDIT_DELETE: Delete(); break;
    case ID_OBJECT_INSERT: InsertObject(); break;
    case ID_OBJECT_PROPERTIES: ShowProperties(); break;
    case ID_OBJECT_EDIT_IN_PLACE: EditInPlace(); break;
    case ID_PAGE_A4: DeactivateInPlace(); m_page.SetPaper(CQLNReportPage::Paper::A4, m_page.IsLandscape()); Changed(); break;
    case ID_PAGE_LETTER: DeactivateInPlace(); m_page.SetPaper(CQLNReportPage::Paper::Letter, m_page.IsLandscape()); Changed(); break;
    case ID_PAGE_PORTRAIT: DeactivateInPlace(); m_page.SetPaper(m_page.GetPaper(), false); Changed(); break;
    case ID_PAGE_LANDSCAPE: DeactivateInPlace(); m_page.SetPaper(m_page.GetPaper(), true); Changed(); break;
    case ID_PAGE_MARGIN_10: m_page.SetMargin(1000); Changed(); break;
    case ID_PAGE_MARGIN_20: m_page.SetMargin(2000); Changed(); break;
    case ID_PAGE_MARGIN_25: m_page.SetMargin(2500); Changed(); break;
    case ID_PAGE_TIME_DECIMALS: {
        long nDecimals = m_page.RTPrecision();
        if (CQLNTimeDecimalsDialog::Ask(m_hWnd, nDecimals)) {
            m_page.SetRTPrecision(nDecimals);
            Changed();
        }
        break;
    }
    case ID_ZOOM_50: SetZoom(50); break;
    case ID_ZOOM_75: SetZoom(75); break;
    case ID_ZOOM_100: SetZoom(100); break;
    case ID_ZOOM_150: SetZoom(150); break;
    case ID_PAGE_LOAD_NOTE: Report(m_page.TakeLoadNote()); break;
    case ID_ZOOM_200: SetZoom(200); break;
    case ID_FILE_END_PREVIEW: EndPreview(); break;
    case ID_FILE_PREVIEW_RESULTS: PreviewResults(); break;
    default: break;
    }
}

bool CQLNPageWindow::OnContextMenu(POINT ptScreen)
{
    if (ptScreen.x == -1 && ptScreen.y == -1) {
        // From the keyboard: at the selected object, else at the page's corner.
        const RECT rc = m_selected ? ClientRectOf(*m_selected.Get()) : RECT{Origin().x, Origin().y, 0, 0};
        ptScreen = POINT{rc.left + 4, rc.top + 4};
        ::ClientToScreen(m_hWnd, &ptScreen);
    } else {
        POINT pt = ptScreen;
        ::ScreenToClient(m_hWnd, &pt);
        RECT rcClient = {};
        ::GetClientRect(m_hWnd, &rcClient);
        // The scroll bars and the caption have the system's menus.
        if (!::PtInRect(&rcClient, pt))
            return false;
        CQLNPageObject* pObject = ObjectAt(pt);
        if (pObject == nullptr || !pObject->IsInPlaceActive())
            DeactivateInPlace();
        Select(pObject);
    }
    CQLNPageMenu::TrackContext(m_hWnd, ptScreen, m_selected != nullptr);
    return true;
}

void CQLNPageWindow::OnInitMenuPopup(HMENU hMenu)
{
    CQLNPageMenu::Mark(hMenu, m_page, m_nZoom, m_selected.Get());
}

void CQLNPageWindow::OnSize()
{
    UpdateScrollBars();
    // The paper is centred: whatever the window showed before is somewhere else now, and the
    // system would repaint only the part a larger window adds.
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    for (const auto& object : m_page.Objects())
        object->UpdateInPlacePosition();
}

void CQLNPageWindow::Nudge(long dx, long dy)
{
    if (!m_selected)
        return;
    const RECT rcBefore = m_selected->Place();
    RECT rc = rcBefore;
    ::OffsetRect(&rc, dx, dy);
    m_page.Place(m_selected.Get(), rc, rcBefore);
    Changed();
}

void CQLNPageWindow::InsertObject()
{
    DeactivateInPlace();
    CLSID clsid = CLSID_NULL;
    if (!CQLNInsertDialog::Choose(m_hWnd, clsid))
        return;
    std::wstring error;
    ComPtr<CQLNPageObject> object = CQLNPageObject::Create(clsid, this, m_page.RTPrecision(), error);
    if (!object) {
        Report(error);
        return;
    }
    object->SetPlace(m_page.NextPlace(SIZE{8000, 5000}));
    m_page.Insert(object);
    m_selected = object;
    if (!m_preview.Resolve(*object.Get(), error))
        Report(error);
    Changed();
}

void CQLNPageWindow::ShowProperties()
{
    if (!m_selected)
        return;
    DeactivateInPlace();
    ComPtr<CQLNPageObject> object = m_selected;
    std::wstring error;
    m_page.BeginEdit(object.Get(), L"Properties");
    const bool bDone = object->DoVerb(OLEIVERB_PROPERTIES, error);
    m_page.EndEdit(object.Get());
    if (!bDone)
        Report(error);
    Changed();
}

void CQLNPageWindow::EditInPlace()
{
    if (!m_selected || m_selected->IsInPlaceActive())
        return;
    if (!m_selected->IsPlaceholder() && !m_selected->EditsInPlace()) {
        ShowProperties();
        return;
    }
    std::wstring error;
    if (!ActivateInPlace(*m_selected.Get(), error))
        Report(error);
}

bool CQLNPageWindow::ActivateInPlace(CQLNPageObject& object, std::wstring& error)
{
    Select(&object);
    if (!object.IsPlaceholder() && !object.EditsInPlace()) {
        error = object.ClassName() + L" has nothing to edit in place; its properties are edited in its sheet";
        return false;
    }
    if (!object.IsInPlaceActive())
        m_page.BeginEdit(&object, L"Edit in Place");
    const bool bDone = object.IsInPlaceActive() || object.DoVerb(OLEIVERB_UIACTIVATE, error);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (bDone && !object.IsInPlaceActive()) {
        // The verb was taken but no window of the object's own came up on the page.
        error = object.ClassName() + L" cannot be edited in place";
        return false;
    }
    return bDone;
}

void CQLNPageWindow::DeactivateInPlace()
{
    for (const auto& object : m_page.Objects())
        if (object->IsInPlaceActive())
            object->Deactivate();
}

void CQLNPageWindow::UndoOrRedo(bool bRedo)
{
    if (m_drag != Drag::None)
        return;
    DeactivateInPlace();
    std::wstring error;
    CQLNPageObject* pObject = bRedo ? m_page.Redo(error) : m_page.Undo(error);
    if (pObject != nullptr || !m_page.Holds(m_selected.Get()))
        m_selected = pObject;
    Changed();
    if (!error.empty())
        Report(error);
}

bool CQLNPageWindow::Preview(const CQLNReportResolver& resolver, const std::wstring& dataPath, std::wstring& error)
{
    const bool ok = m_preview.Start(m_page, resolver, dataPath, error);
    Changed();
    return ok;
}

void CQLNPageWindow::PreviewResults()
{
    DeactivateInPlace();
    std::vector<std::wstring> paths;
    if (!AskResultFiles(paths))
        return;
    std::vector<CQLNPagePreview::Result> results;
    std::wstring unread;
    CQLNResultBatch data(paths);
    for (size_t n = 0; n < data.Count(); ++n) {
        CQLNPagePreview::Result result;
        std::wstring why;
        if (data.Load(n, result.resolver, why)) {
            result.path = data.Path(n);
            results.push_back(std::move(result));
        } else {
            unread += L"\n" + data.Path(n) + L": " + why;
        }
    }
    if (!unread.empty())
        Report((results.empty() ? L"No result could be read:" : L"These results could not be read and are left out:") + unread);
    if (results.empty())
        return;
    std::wstring error;
    if (m_preview.IsOn() && !m_preview.End(m_page, error))
        Report(error);
    m_sheets.Clear();
    if (!m_preview.Start(m_page, std::move(results), error))
        Report(error);
    Changed();
}

void CQLNPageWindow::TurnSheet(int nStep)
{
    if (!m_sheets.Turn(nStep)) {
        const size_t nReport = m_preview.Shown();
        if ((nStep < 0 && nReport == 0) || (nStep > 0 && nReport + 1 >= m_preview.Count()))
            return;
        std::wstring error;
        if (!m_preview.Show(m_page, nStep > 0 ? nReport + 1 : nReport - 1, error)) {
            Report(error);
            return;
        }
        m_sheets.Clear();
        PlanSheets();
        if (nStep < 0)
            m_sheets.ShowLast();
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateTitle();
}

void CQLNPageWindow::EndPreview()
{
    std::wstring error;
    if (!m_preview.End(m_page, error))
        Report(error);
    Changed();
}

void CQLNPageWindow::Delete()
{
    if (!m_selected)
        return;
    m_page.Remove(m_selected.Get());
    m_selected.Reset();
    Changed();
}

bool CQLNPageWindow::Save(bool bAskName)
{
    std::wstring path = m_strPath;
    if ((bAskName || path.empty()) && !AskFileName(FileDialog::SavePage, path))
        return false;
    DeactivateInPlace();
    std::wstring error;
    if (!m_page.Save(path, error)) {
        Report(error);
        return false;
    }
    m_strPath = path;
    UpdateTitle();
    return true;
}

bool CQLNPageWindow::Open(const std::wstring& path)
{
    CQLNReportPage opened(this);
    std::wstring error;
    if (!opened.Load(path, error)) {
        Report(error);
        return false;
    }
    DeactivateInPlace();
    m_selected.Reset();
    m_page.Swap(opened);
    m_strPath = path;
    if (!m_preview.Resolve(m_page, error))
        Report(error);
    m_scroll = POINT{0, 0};
    Changed();
    const std::wstring note = m_page.TakeLoadNote();
    if (!note.empty())
        Report(note);
    return true;
}

void CQLNPageWindow::OpenFile()
{
    DeactivateInPlace();
    if (!AskToSave())
        return;
    std::wstring path;
    if (AskFileName(FileDialog::OpenPage, path))
        Open(path);
}

void CQLNPageWindow::NewPage()
{
    DeactivateInPlace();
    if (!AskToSave())
        return;
    CQLNReportPage empty(this);
    m_selected.Reset();
    m_page.Swap(empty);
    m_strPath.clear();
    m_scroll = POINT{0, 0};
    Changed();
}

void CQLNPageWindow::Print()
{
    DeactivateInPlace();
    PRINTDLGW pd = {};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = m_hWnd;
    pd.Flags = PD_NOSELECTION | PD_NOPAGENUMS;
    if (!::PrintDlgW(&pd)) {
        const DWORD dwError = ::CommDlgExtendedError();
        if (dwError == PDERR_NODEFAULTPRN)
            Report(L"No printer is installed.");
        else if (dwError != 0)
            Report(L"The print dialog could not be shown (error " + std::to_wstring(dwError) + L").");
        return;
    }
    std::wstring printer;
    if (const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(pd.hDevNames))) {
        printer = reinterpret_cast<const wchar_t*>(pNames) + pNames->wDeviceOffset;
        ::GlobalUnlock(pd.hDevNames);
    }
    ::GlobalFree(pd.hDevNames);
    ::GlobalFree(pd.hDevMode);
    std::wstring error;
    if (printer.empty())
        Report(L"The print dialog named no printer.");
    else
        PrintShown([&](const CQLNPagePrinter::Sequence& reports, std::wstring& why) {
            return CQLNPagePrinter::PrintOn(printer, m_page, why, reports);
        });
}

void CQLNPageWindow::ExportPdf()
{
    DeactivateInPlace();
    std::wstring path = m_strPath;
    const size_t nDot = path.find_last_of(L".\\/");
    if (nDot != std::wstring::npos && path[nDot] == L'.')
        path.erase(nDot);
    if (!path.empty())
        path += L".pdf";
    if (!AskFileName(FileDialog::ExportPdf, path))
        return;
    PrintShown([&](const CQLNPagePrinter::Sequence& reports, std::wstring& why) {
        return CQLNPagePrinter::WritePdf(m_page, path, why, reports);
    });
}

void CQLNPageWindow::PrintShown(const std::function<bool(const CQLNPagePrinter::Sequence&, std::wstring&)>& job)
{
    const bool bEach = m_preview.Count() > 1;
    const size_t nShown = m_preview.Shown();
    const size_t nSheet = m_sheets.Shown();
    std::wstring leftOut;
    const CQLNPagePrinter::Sequence reports{bEach ? m_preview.Count() : 1, [&](size_t n, std::wstring& dataName) {
        std::wstring why;
        if (bEach && !m_preview.Show(m_page, n, why)) {
            leftOut += L"\n" + why;
            return false;
        }
        dataName = m_preview.IsOn() ? m_preview.DataName() : std::wstring();
        return true;
    }};
    std::wstring error;
    m_bAskingParts = true;
    const bool bPrinted = job(reports, error);
    m_bAskingParts = false;
    std::wstring again;
    if (bEach && m_preview.Shown() != nShown && !m_preview.Show(m_page, nShown, again))
        error += (error.empty() ? L"" : L"\n") + again;
    if (!bPrinted || !error.empty())
        Report(error);
    else if (!leftOut.empty())
        Report(L"These reports could not be printed and are left out:" + leftOut);
    if (!m_preview.IsOn())
        return;
    // The sheets of the report shown, planned again after the job; the same sheet shown.
    m_sheets.Clear();
    PlanSheets();
    for (size_t i = 0; i < nSheet && m_sheets.Turn(1); ++i) {
    }
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateTitle();
}

bool CQLNPageWindow::AskFileName(FileDialog kind, std::wstring& path) const
{
    wchar_t szFile[MAX_PATH] = {};
    path.copy(szFile, std::min<size_t>(path.size(), MAX_PATH - 1));
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    const bool bPdf = kind == FileDialog::ExportPdf;
    const bool bSave = kind != FileDialog::OpenPage;
    ofn.lpstrFilter = bPdf ? L"PDF documents (*.pdf)\0*.pdf\0All files\0*.*\0" : L"Report pages (*.qrp)\0*.qrp\0All files\0*.*\0";
    ofn.lpstrFile = szFile;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = bPdf ? L"pdf" : L"qrp";
    ofn.Flags = OFN_PATHMUSTEXIST | (bSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(bSave ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn)))
        return false;
    path = szFile;
    return true;
}

bool CQLNPageWindow::AskToSave()
{
    if (!m_page.IsModified())
        return true;
    const std::wstring name = m_strPath.empty() ? L"the new page" : m_strPath.substr(m_strPath.find_last_of(L"\\/") + 1);
    const std::wstring question = L"Save the changes to " + name + L"?";
    switch (::MessageBoxW(m_hWnd, question.c_str(), kAppName, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return Save(false);
    case IDNO: return true;
    default: return false;
    }
}

bool CQLNPageWindow::OnClose()
{
    DeactivateInPlace();
    return AskToSave();
}

void CQLNPageWindow::PlanSheets()
{
    std::wstring error;
    m_bAskingParts = true;
    if (m_preview.IsOn())
        m_sheets.Plan(m_page, error);
    else
        m_sheets.Clear();
    // As when a sheet is drawn: a part that cannot be recorded is left blank, and the page and
    // its printing say why.
    m_bAskingParts = false;
}

void CQLNPageWindow::Changed()
{
    PlanSheets();
    UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateTitle();
    UpdateEditMenu();
    UpdateMenu();
}

bool CQLNPageWindow::AskResultFiles(std::vector<std::wstring>& paths) const
{
    // Room for a folder's worth of names: the dialog fails rather than cutting a list short.
    std::vector<wchar_t> names(64 * 1024, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = L"Chromatography results (*.cdf)\0*.cdf\0All files\0*.*\0";
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = static_cast<DWORD>(names.size());
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!::GetOpenFileNameW(&ofn))
        return false;
    // One file comes as its whole path; several as their folder, then each name, each ended by
    // a null and the list by another.
    const std::wstring first = names.data();
    const wchar_t* pNext = names.data() + first.size() + 1;
    if (*pNext == L'\0') {
        paths.push_back(first);
        return true;
    }
    const std::wstring folder = first.back() == L'\\' ? first : first + L"\\";
    for (; *pNext != L'\0'; pNext += std::wcslen(pNext) + 1)
        paths.push_back(folder + pNext);
    return true;
}

void CQLNPageWindow::UpdateMenu()
{
    if (m_hWnd != nullptr)
        CQLNPageMenu::Mark(::GetMenu(m_hWnd), m_page, m_nZoom, m_selected.Get());
}

void CQLNPageWindow::UpdateEditMenu()
{
    const HMENU hMenu = m_hWnd != nullptr ? ::GetMenu(m_hWnd) : nullptr;
    if (hMenu == nullptr)
        return;
    const CQLNPageHistory& history = m_page.History();
    const struct { UINT nID; const wchar_t* pszVerb; std::wstring name; const wchar_t* pszKey; } items[] = {
        {ID_EDIT_UNDO, L"&Undo", history.UndoName(), L"\tCtrl+Z"},
        {ID_EDIT_REDO, L"&Redo", history.RedoName(), L"\tCtrl+Y"},
    };
    for (const auto& item : items) {
        const std::wstring text = item.pszVerb + (item.name.empty() ? L"" : L" " + item.name) + item.pszKey;
        ::ModifyMenuW(hMenu, item.nID, MF_BYCOMMAND | MF_STRING | (item.name.empty() ? MF_GRAYED : MF_ENABLED), item.nID,
                      text.c_str());
    }
}

void CQLNPageWindow::UpdateTitle()
{
    if (m_hWnd == nullptr)
        return;
    std::wstring title = m_strPath.empty() ? L"Untitled" : m_strPath.substr(m_strPath.find_last_of(L"\\/") + 1);
    if (m_page.IsModified())
        title += L"*";
    if (m_preview.IsOn())
        title += L" - preview of " + m_preview.DataName();
    if (m_preview.Count() > 1)
        title += L", result " + std::to_wstring(m_preview.Shown() + 1) + L" of " + std::to_wstring(m_preview.Count());
    if (m_sheets.Count() > 1 || m_preview.Count() > 1)
        title += L" - Page " + std::to_wstring(m_sheets.Shown() + 1) + L" of " + std::to_wstring(m_sheets.Count());
    title += L" - ";
    title += kAppName;
    ::SetWindowTextW(m_hWnd, title.c_str());
    ::EnableMenuItem(::GetMenu(m_hWnd), ID_FILE_END_PREVIEW, MF_BYCOMMAND | (m_preview.IsOn() ? MF_ENABLED : MF_GRAYED));
}

void CQLNPageWindow::UpdateScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    RECT rcClient = {};
    ::GetClientRect(m_hWnd, &rcClient);
    const SIZE shown = CQLNPageScale::Screen(m_nZoom, POINT{0, 0}).ToDevice(m_page.Size());
    const long extents[2] = {shown.cx + 2 * kGap, shown.cy + 2 * kGap};
    const long views[2] = {rcClient.right, rcClient.bottom};
    LONG* scrolls[2] = {&m_scroll.x, &m_scroll.y};
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        *scrolls[bar] = std::max(0L, std::min(*scrolls[bar], extents[bar] - views[bar]));
        SCROLLINFO si = {sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, static_cast<int>(extents[bar]) - 1,
                         static_cast<UINT>(std::max(views[bar], 0L)), static_cast<int>(*scrolls[bar]), 0};
        ::SetScrollInfo(m_hWnd, bar, &si, TRUE);
    }
}

void CQLNPageWindow::OnScroll(int nBar, UINT nCode)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &si);
    int nPos = si.nPos;
    switch (nCode) {
    case SB_LINEUP: nPos -= 40; break;
    case SB_LINEDOWN: nPos += 40; break;
    case SB_PAGEUP: nPos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: nPos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK: nPos = si.nTrackPos; break;
    default: return;
    }
    DeactivateInPlace();
    (nBar == SB_HORZ ? m_scroll.x : m_scroll.y) = nPos;
    UpdateScrollBars();
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CQLNPageWindow::SetZoom(int nZoom)
{
    DeactivateInPlace();
    m_nZoom = nZoom;
    Changed();
}

void CQLNPageWindow::Report(const std::wstring& message) const
{
    if (message.empty())
        return;
    ::MessageBoxW(m_hWnd, message.c_str(), kAppName, MB_OK | MB_ICONEXCLAMATION);
}
