// The sample text object inside the system's own ActiveX host window ("AtlAxWin"), a container
// nobody here wrote: it creates the control from its ProgID, activates it in place in a real
// window, and the control holds its lines in its own child window.
#include "COleDispatchDriver.h"
#include "CStringPrinter.h"
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

    // The control's text fields, as it reports them through automation, are its window's text.
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(S_OK, getControl(hHost, &pUnknown)) << "the host created no control";
    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(S_OK, pUnknown->QueryInterface(IID_PPV_ARGS(&pDispatch)));
    pUnknown->Release();
    CString textFields;
    COleDispatchDriver(pDispatch).GetProperty(5, VT_BSTR, &textFields);
    EXPECT_NE(-1, textFields.Find(L"Data file: {DataFile}"));
    const HWND hEdit = ::FindWindowExW(hHost, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, hEdit) << "the control made no window of its own";
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    CString text;
    ::GetWindowTextW(hEdit, text.GetBuffer(32768), 32768);
    text.ReleaseBuffer();
    EXPECT_EQ(textFields, text);
    ::DestroyWindow(hFrame);
    qlntest::PumpMessages();
}
