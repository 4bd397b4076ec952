// The font control in a table font page of the framework's sheet, and the annotation font page
// inside an OLE page of the system's property frame, driven as a user drives them.
#include "COleObjectFactory.h"
#include "COlePropertyPage.h"
#include "CPropertySheet.h"
#include "QLNAnnotationFontPropPage.h"
#include "QLNBaseLibrary.h"
#include "QLNBaseRes.h"
#include "QLNTableFontPropPage.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

using namespace qlntest;

TEST(QLNFontCtrlTest, TheButtonsDialogChangesTheFontOnOkOnlyAndEitherWayMarksThePage)
{
    QLV_BaseLibInit();   // as the report object using the page does while it loads
    CQLNTableFontPropPage page;
    CQLNFontCtrl& cell = page.GetCellFontCtrl();
    cell.SetCurrentColor(RGB(255, 0, 0));
    CPropertySheet sheet(L"Table");
    sheet.AddPage(&page);
    HWND hDialog = nullptr;
    std::vector<std::wstring> seen;
    const auto Look = [&](const wchar_t* what) {
        LOGFONTW lf;
        cell.GetCurrentFont(lf);
        const HWND hSample = ::GetDlgItem(cell.m_hWnd, IDC_QLN_SAMPLE);
        seen.push_back(std::wstring(what) + L": underline " + std::to_wstring(lf.lfUnderline) + L", sample " +
                       std::to_wstring(FontOf(hSample).lfUnderline) + L" " + TextOf(hSample) + L", colour " +
                       std::to_wstring(cell.GetCurrentColor()) + L", apply " +
                       std::to_wstring(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021))));
    };
    const auto OpenDialog = [&] { return PostClick(::GetDlgItem(cell.m_hWnd, IDC_QLN_FONT_CTRL_BUTTON)), true; };
    const auto Dialog = [&] { return (hDialog = FindOwnedDialog(sheet.m_hWnd)) != nullptr; };
    const auto Press = [&](int nID) { return PostClick(::GetDlgItem(hDialog, nID)), true; };
    const auto Closed = [&] { return !OwnsDialog(sheet.m_hWnd); };
    ScriptedUser user(
        Settled([&] { return cell.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); },
                {[&] {
                     for (int nID : {IDC_QLN_TITLE_FONT_BOX, IDC_QLN_HEADING_FONT_BOX, IDC_QLN_CELL_FONT_BOX})
                         seen.push_back(ChildDialogCentredOn(page.m_hWnd, nID) != nullptr ? L"centred" : L"misplaced");
                     return Look(L"opened"), OpenDialog();
                 },
                 Dialog, [&] { return Press(IDC_QLN_UNDERLINE); }, [&] { return Press(IDOK); }, Closed,
                 [&] { return Look(L"OK"), PostClick(::GetDlgItem(sheet.m_hWnd, 0x3021)), true; },
                 [&] { return Look(L"applied"), OpenDialog(); },
                 Dialog, [&] { return Press(IDC_QLN_UNDERLINE); }, [&] { return Press(IDCANCEL); }, Closed,
                 [&] { return Look(L"Cancel"), PostClick(::GetDlgItem(sheet.m_hWnd, IDOK)), true; }}),
        [&] { ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0), ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    const std::vector<std::wstring> expected = {
        L"centred", L"centred", L"centred",
        L"opened: underline 0, sample 0 Table cell, colour 255, apply 0",
        L"OK: underline 1, sample 1 Table cell, colour 255, apply 1",
        L"applied: underline 1, sample 1 Table cell, colour 255, apply 0",
        L"Cancel: underline 1, sample 1 Table cell, colour 255, apply 1",
    };
    EXPECT_EQ(expected, seen);
}

namespace {

// An OLE page of a report object that holds the annotation font page as its one child.
class AnnotationHost : public COlePropertyPage
{
public:
    AnnotationHost() : COlePropertyPage(IDD_QLN_ANNOTATION_FONT_PAGE, IDS_QLN_ANNOTATION_PAGE) {}
    CQLNAnnotationFontPropPage m_page;
    BOOL OnInitDialog() override
    {
        COlePropertyPage::OnInitDialog();
        return m_page.Create(IDD_QLN_ANNOTATION_FONT_PAGE, this);
    }
};

CLSID CLSID_AnnotationHost = {0x3e9b7a51, 0x0c2d, 0x4f6e, {0x8a, 0x13, 0x5d, 0x27, 0xc4, 0x90, 0x6b, 0xf2}};
AnnotationHost* g_pHost = nullptr;
COleObjectFactory g_hostFactory(CLSID_AnnotationHost, [](REFCLSID) -> CCmdTarget* {
    return g_pHost = new AnnotationHost, g_pHost->ExternalAddRef(), g_pHost; }, nullptr, nullptr);

} // namespace

TEST(QLNFontCtrlTest, TheAnnotationPageInTheSystemsFrameCarriesTheFontTheUserTypes)
{
    CQLNTextObjClient control;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(control, error)) << std::string(error.begin(), error.end());
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_AnnotationHost, &g_hostFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie));
    RECT rcPage = {}, rcDialog = {};
    ScriptedUser user(
        Settled([&] { return g_pHost != nullptr && g_pHost->m_page.GetFontDialog().m_hWnd != nullptr; },
                {[&] {
                     ::GetClientRect(g_pHost->m_page.m_hWnd, &rcPage), ::GetWindowRect(g_pHost->m_page.GetFontDialog().m_hWnd, &rcDialog);
                     const HWND hSize = ::FindWindowExW(::GetDlgItem(g_pHost->m_page.GetFontDialog().m_hWnd, IDC_QLN_SIZE), nullptr, L"Edit", nullptr);
                     return ::SetFocus(hSize), PostTyping(hSize, L"14"), true;
                 },
                 [&] { return PostClick(::GetDlgItem(::GetAncestor(g_pHost->m_hWnd, GA_ROOT), IDOK)), true; }}),
        [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    IUnknown* pObject = control.Control();
    EXPECT_EQ(S_OK, ::OleCreatePropertyFrame(nullptr, 0, 0, L"Annotation", 1, &pObject, 1, &CLSID_AnnotationHost, 0, 0, nullptr));
    ::CoRevokeClassObject(dwCookie);
    ASSERT_NE(nullptr, g_pHost);
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_EQ(rcPage.right - rcPage.left, rcDialog.right - rcDialog.left) << "the dialog covers the page";
    EXPECT_EQ(rcPage.bottom - rcPage.top, rcDialog.bottom - rcDialog.top);
    LOGFONTW lf;
    g_pHost->m_page.GetFontDialog().GetCurrentFont(lf);
    EXPECT_EQ(-19, lf.lfHeight) << "14 points at 96 pixels per inch, read back after the frame closed";
    g_pHost->ExternalRelease();
}
