// The sample text object inside the system's own ActiveX host window ("AtlAxWin"), a container
// nobody here wrote: it creates the control from its ProgID, activates it in place in a real
// window, and the control shows its lines in its own child window.
#include "E2eSupport.h"
#include "SampleRegistration.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

TEST(AtlHost, TheControlIsAChildWindowShowingItsTextFields)
{
    E2e::SampleRegistration registration;
    ASSERT_EQ(S_OK, registration.Result());
    const HMODULE hAtl = ::LoadLibraryW(L"atl.dll");
    const auto init = reinterpret_cast<BOOL(WINAPI*)()>(::GetProcAddress(hAtl, "AtlAxWinInit"));
    const auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(::GetProcAddress(hAtl, "AtlAxGetControl"));
    ASSERT_TRUE(init != nullptr && getControl != nullptr && init());
    const HWND hFrame = ::CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 20,
                                          20, 640, 480, nullptr, nullptr, nullptr, nullptr);
    const HWND hHost = ::CreateWindowExW(0, L"AtlAxWin", E2e::kProgId, WS_CHILD | WS_VISIBLE, 0, 0, 600, 440, hFrame,
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hHost);
    qlntest::PumpMessages();

    // The text fields as the host's control reports them through automation.
    IUnknown* pUnknown = nullptr;
    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(S_OK, getControl(hHost, &pUnknown)) << "the host created no control";
    ASSERT_EQ(S_OK, pUnknown->QueryInterface(IID_PPV_ARGS(&pDispatch)));
    pUnknown->Release();
    LPOLESTR name = const_cast<LPOLESTR>(L"TextFields");
    DISPID id = 0;
    DISPPARAMS none = {};
    VARIANT textFields;
    ::VariantInit(&textFields);
    ASSERT_EQ(S_OK, pDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    ASSERT_EQ(S_OK, pDispatch->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &textFields, nullptr, nullptr));
    pDispatch->Release();

    const HWND hEdit = ::FindWindowExW(hHost, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, hEdit) << "the control made no window of its own";
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    std::wstring text(32768, L'\0');
    text.resize(::GetWindowTextW(hEdit, &text[0], 32768));
    EXPECT_EQ(std::wstring(V_BSTR(&textFields)), text);
    EXPECT_NE(std::wstring::npos, text.find(L"Data file: {DataFile}"));
    ::VariantClear(&textFields);

    // Its lines are painted: the window read back from the screen holds text's dark pixels.
    ::RedrawWindow(hEdit, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    qlntest::PumpMessages();
    RECT rc;
    ::GetClientRect(hEdit, &rc);
    const HDC hdc = ::GetDC(hEdit);
    const RECT ink = qlntest::PixelGrab(hdc, rc.right, rc.bottom).InkBox();
    ::ReleaseDC(hEdit, hdc);
    EXPECT_GT(ink.right - ink.left, 100) << "nothing was drawn";
    EXPECT_GT(ink.bottom - ink.top, 20);
    ::DestroyWindow(hFrame);
    qlntest::PumpMessages();
}
