// The sample text object inside the system's own ActiveX host window ("AtlAxWin"), a container
// nobody here wrote: it creates the control from its ProgID, activates it in place in a real
// window, and the control shows its lines in its own child window.
#include "E2eSupport.h"
#include "SampleRegistration.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <string>

namespace {

typedef BOOL(WINAPI* AtlAxWinInitProc)();
typedef HRESULT(WINAPI* AtlAxGetControlProc)(HWND, IUnknown**);

void PumpMessages(DWORD milliseconds)
{
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG msg;
    do {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    } while (static_cast<LONG>(end - ::GetTickCount()) > 0);
}

std::wstring WindowText(HWND hWnd)
{
    const int n = ::GetWindowTextLengthW(hWnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hWnd, &text[0], n + 1)));
    return text;
}

// The first descendant of the host whose class is the system's edit class.
HWND FindEditChild(HWND hHost)
{
    struct Search
    {
        HWND hFound = nullptr;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            wchar_t cls[32];
            ::GetClassNameW(hWnd, cls, 32);
            if (lstrcmpiW(cls, L"Edit") == 0) {
                reinterpret_cast<Search*>(lParam)->hFound = hWnd;
                return FALSE;
            }
            return TRUE;
        }
    } search;
    ::EnumChildWindows(hHost, &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

class AtlHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        m_hAtl = ::LoadLibraryW(L"atl.dll");
        ASSERT_NE(nullptr, m_hAtl);
        const auto init = reinterpret_cast<AtlAxWinInitProc>(::GetProcAddress(m_hAtl, "AtlAxWinInit"));
        m_getControl = reinterpret_cast<AtlAxGetControlProc>(::GetProcAddress(m_hAtl, "AtlAxGetControl"));
        ASSERT_NE(nullptr, init);
        // The host's window classes are registered once in a process; a second call fails.
        static const BOOL initialised = init();
        ASSERT_TRUE(initialised);
        m_hFrame = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                                     20, 640, 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hFrame);
        m_hHost = ::CreateWindowExW(0, L"AtlAxWin", E2e::kProgId, WS_CHILD | WS_VISIBLE, 0, 0, 600, 440, m_hFrame,
                                    nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hHost);
        PumpMessages(300);
    }
    void TearDown() override
    {
        if (m_hFrame != nullptr)
            ::DestroyWindow(m_hFrame);
        PumpMessages(50);
    }

    IDispatch* Control()
    {
        IUnknown* pUnknown = nullptr;
        IDispatch* pDispatch = nullptr;
        if (m_getControl != nullptr && SUCCEEDED(m_getControl(m_hHost, &pUnknown)) && pUnknown != nullptr) {
            pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch));
            pUnknown->Release();
        }
        return pDispatch;
    }

    static std::wstring TextFields(IDispatch* pDispatch)
    {
        LPOLESTR name = const_cast<LPOLESTR>(L"TextFields");
        DISPID id = 0;
        VARIANT result;
        ::VariantInit(&result);
        DISPPARAMS none = {};
        std::wstring text;
        if (SUCCEEDED(pDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) &&
            SUCCEEDED(pDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result,
                                        nullptr, nullptr)) &&
            V_VT(&result) == VT_BSTR)
            text.assign(V_BSTR(&result), ::SysStringLen(V_BSTR(&result)));
        ::VariantClear(&result);
        return text;
    }

    E2e::SampleRegistration m_registration;
    HMODULE m_hAtl = nullptr;
    AtlAxGetControlProc m_getControl = nullptr;
    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
};

TEST_F(AtlHostTest, TheControlIsAChildWindowHoldingTheTextFields)
{
    IDispatch* pDispatch = Control();
    ASSERT_NE(nullptr, pDispatch) << "the host created no control";
    const std::wstring textFields = TextFields(pDispatch);
    pDispatch->Release();
    EXPECT_NE(std::wstring::npos, textFields.find(L"Data file: {DataFile}"));

    const HWND hEdit = FindEditChild(m_hHost);
    ASSERT_NE(nullptr, hEdit) << "the control made no window of its own";
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    EXPECT_EQ(textFields, WindowText(hEdit));
}

TEST_F(AtlHostTest, TheControlPaintsItsLinesInItsWindow)
{
    const HWND hEdit = FindEditChild(m_hHost);
    ASSERT_NE(nullptr, hEdit);
    ::RedrawWindow(hEdit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpMessages(200);

    // Read the window's pixels back from the screen and count those that text made dark.
    RECT rc;
    ::GetClientRect(hEdit, &rc);
    const HDC hdc = ::GetDC(hEdit);
    int dark = 0;
    for (int y = 0; y < rc.bottom; y += 2)
        for (int x = 0; x < rc.right; x += 2) {
            const COLORREF c = ::GetPixel(hdc, x, y);
            if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                ++dark;
        }
    ::ReleaseDC(hEdit, hdc);
    EXPECT_GT(dark, 50) << "nothing was drawn";
}

} // namespace
