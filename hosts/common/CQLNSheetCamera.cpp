#include "CQLNSheetCamera.h"

#include "QLNEnhMetaFilePng.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

// Ticks far enough apart for the system to paint a page that has just been shown.
const UINT g_knTickMs = 100;

BOOL CALLBACK FindSheetProc(HWND hWnd, LPARAM lParam)
{
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    if (!::IsWindowVisible(hWnd) || ::lstrcmpW(szClass, L"#32770") != 0 ||
        ::SendMessageW(hWnd, PSM_GETTABCONTROL, 0, 0) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

} // namespace

CQLNSheetCamera::CQLNSheetCamera(std::wstring folder, After after)
    : m_strFolder(std::move(folder)), m_after(after), m_timer(::SetTimer(nullptr, 0, g_knTickMs, &Tick))
{
    s_pCurrent = this;
}

CQLNSheetCamera::~CQLNSheetCamera()
{
    ::KillTimer(nullptr, m_timer);
    s_pCurrent = nullptr;
}

bool CQLNSheetCamera::Result(std::wstring& error) const
{
    if (!m_strError.empty())
        error = m_strError;
    else if (m_nPictures == 0)
        error = L"no property sheet was shown to take pictures of";
    else
        return true;
    return false;
}

void CALLBACK CQLNSheetCamera::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_pCurrent != nullptr)
        s_pCurrent->Step();
}

void CQLNSheetCamera::Step()
{
    const HWND hSheet = m_bDone ? nullptr : FindSheet();
    if (hSheet == nullptr)
        return;
    if (m_nPage < 0) {
        m_nPage = 0;
        ::SendMessageW(hSheet, PSM_SETCURSEL, 0, 0);
        return;
    }
    if (!Shoot(hSheet, m_nPage)) {
        Stop(hSheet, true);
        return;
    }
    const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    if (++m_nPage >= ::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0))
        Stop(hSheet, m_after == After::Close);
    else
        ::SendMessageW(hSheet, PSM_SETCURSEL, m_nPage, 0);
}

HWND CQLNSheetCamera::FindSheet()
{
    HWND hSheet = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindSheetProc, reinterpret_cast<LPARAM>(&hSheet));
    return hSheet;
}

bool CQLNSheetCamera::Shoot(HWND hSheet, int nPage)
{
    const std::wstring path = m_strFolder + L"\\page-" + std::to_wstring(nPage + 1) + L".png";
    const HRESULT hr = QLNSaveWindowAsPng(hSheet, path.c_str());
    if (FAILED(hr)) {
        wchar_t code[16];
        swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
        m_strError = L"cannot write " + path + L" (" + code + L")";
        return false;
    }
    ++m_nPictures;
    return true;
}

void CQLNSheetCamera::Stop(HWND hSheet, bool bClose)
{
    m_bDone = true;
    if (bClose)
        ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else
        ::SendMessageW(hSheet, PSM_SETCURSEL, 0, 0);
}
