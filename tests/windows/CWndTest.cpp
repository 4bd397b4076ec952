// Window objects with real windows and real messages: the handle maps, creation, the message
// maps of a class and its base, subclassing a system control, destruction.
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
        if (m_nCreateResult != 0)
            return m_nCreateResult;
        return CWnd::OnCreate(lpCreateStruct);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back(L"Base.OnLButtonDown " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y));
        CWnd::OnLButtonDown(nFlags, point);
    }
    LRESULT OnTestThrow(WPARAM, LPARAM)
    {
        m_calls.push_back(L"OnTestThrow");
        AfxThrowInvalidArgException();
    }
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
public:
    DECLARE_MESSAGE_MAP()

protected:
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_calls.push_back(L"Derived.OnLButtonDown");
        CRecordingWnd::OnLButtonDown(nFlags, point);
    }
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CRecordingWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

// Deletes itself after its window's last message, as heap objects of a window do.
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* pDeleted) : m_pDeleted(pDeleted) {}
    ~CSelfDeletingWnd() override { *m_pDeleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_pDeleted;
};

// Swallows typed characters and counts them; everything else reaches the EDIT control.
class CCharCountingEdit : public CEdit
{
public:
    int m_nChars = 0;
    DECLARE_MESSAGE_MAP()

protected:
    LRESULT OnChar(WPARAM, LPARAM)
    {
        ++m_nChars;
        return 0;
    }
};

BEGIN_MESSAGE_MAP(CCharCountingEdit, CEdit)
    ON_MESSAGE(WM_CHAR, OnChar)
END_MESSAGE_MAP()

LPCTSTR TestClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

bool CreateTopLevel(CWnd& wnd, const wchar_t* title, int x = 50, int y = 50)
{
    return wnd.CreateEx(0, TestClass(), title, WS_POPUP | WS_VISIBLE, x, y, 200, 150, nullptr, nullptr) != FALSE;
}

} // namespace

TEST(CWndCreation, ObjectSeesItsFirstMessagesAndIsThePermanentObject)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, L"creation"));
    ASSERT_FALSE(wnd.m_calls.empty());
    EXPECT_EQ(L"OnCreate", wnd.m_calls.front());
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    // Messages the map does not name reach the default procedure.
    wnd.SetWindowText(L"renamed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(L"renamed", text.GetString());
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
}

TEST(CWndCreation, RefusedCreationLeavesTheObjectWithoutWindow)
{
    CRecordingWnd wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(CreateTopLevel(wnd, L"refused"));
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(1, wnd.m_nPostNcDestroy);
    // The object can try again.
    wnd.m_nCreateResult = 0;
    EXPECT_TRUE(CreateTopLevel(wnd, L"second try"));
    wnd.DestroyWindow();
}

TEST(CWndCreation, ChildrenAndParentAreFoundThroughTheMaps)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent, L"parent"));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | ES_MULTILINE, CRect(5, 5, 100, 60), &parent, 1234));
    EXPECT_EQ(&parent, edit.GetParent());
    EXPECT_EQ(&edit, parent.GetDlgItem(1234));
    EXPECT_EQ(&edit, parent.GetWindow(GW_CHILD));

    CPoint pt(3, 4);
    edit.ClientToScreen(&pt);
    parent.ScreenToClient(&pt);
    // The edit's client area sits inside its border, at (5, 5) in the parent.
    EXPECT_GE(pt.x, 8);
    EXPECT_GE(pt.y, 9);
    parent.DestroyWindow();
    // The child went with its parent.
    EXPECT_EQ(nullptr, edit.m_hWnd);
}

TEST(CWndMaps, ForeignWindowGetsOneTemporaryWrapperUntilTheMapIsFreed)
{
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(hWnd, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWnd));
    CString text;
    pTemp->GetWindowText(text);
    EXPECT_STREQ(L"foreign", text.GetString());
    AfxDeleteTempMap();
    // Freeing a wrapper leaves its window alone.
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    ::DestroyWindow(hWnd);
}

TEST(CWndMaps, AttachAndDetachOwnTheEntryButNotTheWindow)
{
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"attached", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    CWnd first;
    CWnd second;
    ASSERT_TRUE(first.Attach(hWnd));
    EXPECT_FALSE(second.Attach(hWnd)) << "a window has one permanent object";
    EXPECT_FALSE(first.Attach(hWnd)) << "an object has one window";
    EXPECT_FALSE(second.Attach(nullptr));
    EXPECT_EQ(&first, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, first.Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_TRUE(::IsWindow(hWnd));
    // An attached window whose messages never reach the object is destroyed and detached.
    ASSERT_TRUE(second.Attach(hWnd));
    EXPECT_TRUE(second.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(nullptr, second.m_hWnd);
}

TEST(CWndDispatch, RealClickReachesDerivedHandlerThenBaseHandler)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, L"click", 100, 100));
    ::SetForegroundWindow(wnd.m_hWnd);
    wnd.UpdateWindow();
    qlntest::PumpMessages();
    wnd.m_calls.clear();

    CPoint target(20, 30);
    wnd.ClientToScreen(&target);
    ::SetCursorPos(target.x, target.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(2u, ::SendInput(2, inputs, sizeof(INPUT)));
    qlntest::PumpMessages();

    ASSERT_EQ(2u, wnd.m_calls.size());
    EXPECT_EQ(L"Derived.OnLButtonDown", wnd.m_calls[0]);
    EXPECT_EQ(L"Base.OnLButtonDown 20,30", wnd.m_calls[1]);
    wnd.DestroyWindow();
}

TEST(CWndDispatch, MessageEntriesUnpackParametersAndExceptionsStopAtTheWindowProcedure)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreateTopLevel(wnd, L"dispatch"));
    EXPECT_EQ(42, wnd.SendMessage(WM_TEST_ECHO, 21));
    EXPECT_EQ(0, wnd.SendMessage(WM_TEST_THROW));
    EXPECT_EQ(L"OnTestThrow", wnd.m_calls.back());
    // The window goes on working after the handler failed.
    EXPECT_EQ(10, wnd.SendMessage(WM_TEST_ECHO, 5));
    EXPECT_TRUE(wnd.PostMessage(WM_TEST_THROW));
    qlntest::PumpMessages();
    wnd.DestroyWindow();
}

TEST(CWndDispatch, AfxCallWndProcDispatchesForAWindowAttachedWithoutSubclassing)
{
    const HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"direct", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        nullptr, nullptr);
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(14, AfxCallWndProc(&wnd, hWnd, WM_TEST_ECHO, 7, 0));
    // Unhandled messages get the system's default processing.
    EXPECT_EQ(static_cast<LRESULT>(wcslen(L"direct")), AfxCallWndProc(&wnd, hWnd, WM_GETTEXTLENGTH, 0, 0));
    EXPECT_EQ(0, wnd.m_nPostNcDestroy);
    wnd.DestroyWindow();
}

TEST(CWndSubclass, SubclassedEditKeepsItsBehaviourAndGivesItBackAfterwards)
{
    const HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP | WS_VISIBLE | ES_MULTILINE, 300, 50, 200, 80,
                                         nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hEdit);
    const LONG_PTR originalProc = ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC);
    CCharCountingEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    EXPECT_EQ(&edit, CWnd::FromHandlePermanent(hEdit));

    ::SetForegroundWindow(hEdit);
    edit.SetFocus();
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = 'A';
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(2u, ::SendInput(2, inputs, sizeof(INPUT)));
    qlntest::PumpMessages();
    EXPECT_EQ(1, edit.m_nChars);
    EXPECT_EQ(0, edit.GetWindowTextLength()) << "the character was swallowed";

    // Everything the map does not name is the EDIT control's own work.
    edit.SetWindowText(L"one\r\ntwo");
    EXPECT_EQ(2, edit.GetLineCount());

    EXPECT_EQ(hEdit, edit.UnsubclassWindow());
    EXPECT_EQ(originalProc, ::GetWindowLongPtrW(hEdit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hEdit));
    ::DestroyWindow(hEdit);
}

TEST(CWndDestroy, HeapObjectDeletesItselfAfterItsLastMessage)
{
    bool bDeleted = false;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(CreateTopLevel(*pWnd, L"self deleting"));
    const HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(CWndDestroy, DestructorDestroysAWindowThatStillExists)
{
    HWND hWnd = nullptr;
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(CreateTopLevel(wnd, L"scoped"));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

TEST(CWndState, EnableShowFocusAndText)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent, L"state"));
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE, CRect(0, 0, 80, 20), &parent, 1));
    ::SetForegroundWindow(parent.m_hWnd);
    edit.SetFocus();
    EXPECT_EQ(&edit, CWnd::GetFocus());
    edit.EnableWindow(FALSE);
    EXPECT_FALSE(edit.IsWindowEnabled());
    edit.EnableWindow(TRUE);
    EXPECT_TRUE(edit.IsWindowEnabled());
    edit.ShowWindow(SW_HIDE);
    EXPECT_FALSE(edit.IsWindowVisible());

    // A text longer than any fixed buffer comes back whole.
    std::wstring longText(5000, L'x');
    edit.SetWindowText(longText.c_str());
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(5000, text.GetLength());
    wchar_t small[4];
    EXPECT_EQ(3, edit.GetWindowText(small, 4));
    EXPECT_EQ(0, edit.GetWindowText(small, 0));
    parent.DestroyWindow();
}

TEST(CEditLines, GetLineCopiesAtMostTheGivenCount)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreateTopLevel(parent, L"lines"));
    CEdit edit;
    ASSERT_TRUE(edit.Create(ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 150, 100), &parent, 2));
    edit.SetWindowText(L"first\r\nsecond line\r\nthird");
    EXPECT_EQ(3, edit.GetLineCount());
    wchar_t buffer[32] = {};
    EXPECT_EQ(11, edit.GetLine(1, buffer, 32));
    EXPECT_EQ(std::wstring(L"second line"), std::wstring(buffer, 11));
    EXPECT_EQ(3, edit.GetLine(1, buffer, 3));
    EXPECT_EQ(std::wstring(L"sec"), std::wstring(buffer, 3));
    EXPECT_EQ(0, edit.GetLine(1, buffer, 0));
    EXPECT_EQ(0, edit.GetLine(10, buffer, 32));
    EXPECT_EQ(0, edit.GetLine(1, nullptr, 10));
    parent.DestroyWindow();
}
