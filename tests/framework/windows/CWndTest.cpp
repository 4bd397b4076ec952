// Window objects with real windows and real messages: the handle maps, creation and destruction,
// the message maps of a class and its base, subclassing a system control. A heap object deleting
// itself after its last message is the label's test; AfxCallWndProc is every dialog's.
#include "CEdit.h"
#include "CHandleMap.h"
#include "CInvalidArgException.h"
#include "CWnd.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT WM_TEST_THROW = WM_APP + 1;
const UINT WM_TEST_ECHO = WM_APP + 2;

class CRecordingWnd : public CWnd
{
public:
    std::vector<std::wstring> m_calls;
    int m_nPostNcDestroy = 0;
    int m_nCreateResult = 0;
    DECLARE_MESSAGE_MAP()

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_calls.push_back(L"OnCreate");
        return m_nCreateResult != 0 ? m_nCreateResult : CWnd::OnCreate(lpCreateStruct);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back(L"Base.OnLButtonDown " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
        CWnd::OnLButtonDown(nFlags, point);
    }
    LRESULT OnTestThrow(WPARAM, LPARAM) { AfxThrowInvalidArgException(); }
    LRESULT OnTestEcho(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_TEST_THROW, OnTestThrow)
    ON_MESSAGE(WM_TEST_ECHO, OnTestEcho)
END_MESSAGE_MAP()

// Extends the base's table: its own entry for the click calls the base handler.
class CDerivedWnd : public CRecordingWnd
{
    DECLARE_MESSAGE_MAP()

    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back(L"Derived.OnLButtonDown");
        CRecordingWnd::OnLButtonDown(nFlags, point);
    }
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CRecordingWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

bool CreateTopLevel(CWnd& wnd, int x = 50)
{
    return wnd.CreateEx(0, AfxRegisterWndClass(0), L"test", WS_POPUP | WS_VISIBLE, x, 50, 200, 150, nullptr, nullptr);
}

// A window no object made, of a system class.
HWND Foreign(const wchar_t* cls, const wchar_t* text, DWORD style = WS_POPUP)
{
    return ::CreateWindowExW(0, cls, text, style, 300, 50, 200, 80, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(CWndCreation, ObjectSeesItsFirstMessagesAndARefusalLeavesItWithoutWindow)
{
    CRecordingWnd wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(CreateTopLevel(wnd));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);

    wnd.m_nCreateResult = 0;                     // the object can try again
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(L"OnCreate", wnd.m_calls.front());
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(5, 5, 100, 60), &wnd, 1234));
    EXPECT_EQ(&wnd, edit.GetParent());
    EXPECT_EQ(&edit, wnd.GetDlgItem(1234));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, edit.m_hWnd) << "the child went with its parent";
    EXPECT_EQ(2, wnd.m_nPostNcDestroy);

    HWND hWnd = nullptr;
    {
        CRecordingWnd scoped;
        ASSERT_TRUE(CreateTopLevel(scoped));
        hWnd = scoped.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd)) << "the destructor destroys a window that still exists";
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(CWndMaps, ForeignWindowsGetTemporaryWrappersAndAttachOwnsOnlyTheEntry)
{
    const HWND hWnd = Foreign(L"STATIC", L"foreign");
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    AfxDeleteTempMap();
    EXPECT_TRUE(::IsWindow(hWnd)) << "freeing a wrapper leaves its window alone";
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));

    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hWnd));
    EXPECT_FALSE(second.Attach(hWnd)) << "a window has one permanent object";
    EXPECT_FALSE(first.Attach(hWnd)) << "an object has one window";
    EXPECT_EQ(&first, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, first.Detach());
    // An attached window whose messages never reach the object is destroyed and detached.
    ASSERT_TRUE(second.Attach(hWnd));
    EXPECT_TRUE(second.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, second.m_hWnd);
}

TEST(CWndDispatch, DerivedEntriesComeFirstThenTheBasesAndExceptionsStopAtTheWindowProcedure)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, 100));
    ::SetForegroundWindow(wnd.m_hWnd);
    qlntest::PumpMessages();
    wnd.m_calls.clear();
    CPoint target(20, 30);
    wnd.ClientToScreen(&target);
    ::SetCursorPos(target.x, target.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(2u, ::SendInput(2, in, sizeof(INPUT)));
    qlntest::PumpMessages();
    EXPECT_EQ((std::vector<std::wstring>{L"Derived.OnLButtonDown", L"Base.OnLButtonDown 20,30"}), wnd.m_calls);

    EXPECT_EQ(42, wnd.SendMessage(WM_TEST_ECHO, 21));
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
    EXPECT_EQ(10, wnd.SendMessage(WM_TEST_ECHO, 5)) << "the window goes on working after a handler failed";
    EXPECT_TRUE(wnd.PostMessage(WM_TEST_THROW));
    qlntest::PumpMessages();
}

TEST(CWndSubclass, SubclassedEditKeepsItsBehaviourAndGivesItBackAfterwards)
{
    const HWND hEdit = Foreign(L"EDIT", L"", WS_POPUP | WS_VISIBLE | ES_MULTILINE);
    const LONG_PTR originalProc = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    CEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));
    edit.SetWindowText(L"one\r\ntwo");
    EXPECT_EQ(2, edit.GetLineCount()) << "the EDIT control's own work";
    wchar_t buffer[8] = {};
    EXPECT_EQ(2, edit.GetLine(1, buffer, 2));
    EXPECT_EQ(std::wstring(L"tw"), std::wstring(buffer, 2)) << "cut to the given count";
    EXPECT_EQ(0, edit.GetLine(1, nullptr, 10));
    EXPECT_EQ(1, edit.GetWindowText(buffer, 2));
    edit.SetWindowText(std::wstring(5000, L'x').c_str());
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(5000, text.GetLength()) << "longer than any fixed buffer";

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(originalProc, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    ::DestroyWindow(hEdit);
}
