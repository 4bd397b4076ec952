#include "AtlHostWindow.h"

#include "WindowTestUtil.h"

bool AtlHostWindow::Open(const wchar_t* pszProgId, std::wstring& error)
{
    Close();
    const HMODULE hAtl = ::LoadLibraryW(L"atl.dll");
    const auto init = reinterpret_cast<BOOL(WINAPI*)()>(::GetProcAddress(hAtl, "AtlAxWinInit"));
    const auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(::GetProcAddress(hAtl, "AtlAxGetControl"));
    // The host registers its window class once per process; a second time it answers FALSE.
    static const bool s_bInitialised = init != nullptr && init();
    if (!s_bInitialised || getControl == nullptr) {
        error = L"the system's ActiveX host is not there";
        return false;
    }
    m_hFrame = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, 640,
                                 480, nullptr, nullptr, nullptr, nullptr);
    m_hHost = ::CreateWindowExW(0, L"AtlAxWin", pszProgId, WS_CHILD | WS_VISIBLE, 0, 0, 600, 440, m_hFrame, nullptr,
                                nullptr, nullptr);
    qlntest::PumpMessages();
    if (m_hHost == nullptr || FAILED(getControl(m_hHost, &m_control)) || !m_control) {
        error = L"the host created no object of " + std::wstring(pszProgId);
        return false;
    }
    return true;
}

void AtlHostWindow::Close()
{
    m_control.Reset();
    if (m_hFrame != nullptr) {
        ::DestroyWindow(m_hFrame);
        qlntest::PumpMessages();
    }
    m_hFrame = m_hHost = nullptr;
}
