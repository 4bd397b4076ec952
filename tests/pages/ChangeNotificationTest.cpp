// Which notifications mark a page modified: the table's class names matched whole and without
// regard to case, the codes exactly.
#include "QLNChangeNotification.h"

#include <gtest/gtest.h>

namespace {

// A window of a system class, or else of a class of that name registered here.
HWND WindowOfClass(const wchar_t* pszClass)
{
    if (const HWND h = ::CreateWindowW(pszClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
        return h;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = pszClass;
    ::RegisterClassW(&wc);
    return ::CreateWindowW(pszClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

} // namespace

TEST(ChangeNotificationTest, TabledPairsOfWholeClassNamesWithoutCase)
{
    const struct { const char* why; const wchar_t* pszClass; UINT nCode; BOOL bChange; } rows[] = {
        {"codes are per class: a button's double click is not an edit's", L"edit", BN_DOUBLECLICKED, FALSE},
        {"a combo box dropping down changes nothing", L"combobox", CBN_DROPDOWN, FALSE},
        {"RICHEDIT in capitals matches RichEdit", L"RICHEDIT", EN_CHANGE, TRUE},
        {"RichEdit_Class in mixed case matches RICHEDIT_CLASS", L"RichEdit_Class", EN_CHANGE, TRUE},
        {"a name that only begins with RichEdit does not match", L"RichEdit20W", EN_CHANGE, FALSE},
        {"a name that is only the beginning of edit does not match", L"Edi", EN_CHANGE, FALSE},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const HWND hWnd = WindowOfClass(row.pszClass);
        ASSERT_NE(nullptr, hWnd);
        EXPECT_EQ(row.bChange, QLNIsChangeNotification(hWnd, row.nCode));
        ::DestroyWindow(hWnd);
    }
    EXPECT_FALSE(QLNIsChangeNotification(nullptr, EN_CHANGE));
}
