// The three font pages: made from their runtime classes in the framework's sheet, where each
// shows its font controls on their group boxes and answers Help with its own context, and the
// annotation font page inside an OLE page of the system's property frame, driven as a user
// drives it. (The font control is driven on the text object's font page.)
#include "COleObjectFactory.h"
#include "COlePropertyPage.h"
#include "CPropertySheet.h"
#include "HtmlHelpRecorderProbe.h"
#include "QLNAnnotationFontPropPage.h"
#include "QLNBaseLibrary.h"
#include "QLNBaseRes.h"
#include "QLNTableFontPropPage.h"
#include "QLNTextFontPropPage.h"
#include "SampleObject.h"
#include "ScopedRegistryValue.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qlntest;

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

TEST(QLNFontPropPagesTest, PagesMadeFromTheirRuntimeClassesShowTheirControlsAndOpenTheirHelp)
{
    QLV_BaseLibInit();
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CPropertyPage)->CreateObject()) << "a class that is not creatable";
    const std::unique_ptr<CObject> text(RUNTIME_CLASS(CQLNTextFontPropPage)->CreateObject());
    const std::unique_ptr<CObject> table(RUNTIME_CLASS(CQLNTableFontPropPage)->CreateObject());
    const std::unique_ptr<CObject> annotation(RUNTIME_CLASS(CQLNAnnotationFontPropPage)->CreateObject());
    ASSERT_TRUE(text && text->IsKindOf(RUNTIME_CLASS(CQLNTextFontPropPage)) && table &&
                table->IsKindOf(RUNTIME_CLASS(CQLNTableFontPropPage)) && annotation &&
                annotation->IsKindOf(RUNTIME_CLASS(CQLNAnnotationFontPropPage)));
    auto& textPage = static_cast<CQLNTextFontPropPage&>(*text);
    auto& tablePage = static_cast<CQLNTableFontPropPage&>(*table);
    auto& annotationPage = static_cast<CQLNAnnotationFontPropPage&>(*annotation);

    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    CPropertySheet sheet(L"Fonts");
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.AddPage(&textPage), sheet.AddPage(&tablePage), sheet.AddPage(&annotationPage);
    std::vector<std::wstring> seen;
    // Each font control, found centred on its group box: its button and sample, and whether the
    // accessor gives that control.
    const auto Controls = [&](CPropertyPage& page, std::vector<std::pair<int, CQLNFontCtrl*>> boxes) {
        for (const auto& [nBox, pCtrl] : boxes) {
            const HWND h = ChildDialogCentredOn(page.m_hWnd, nBox);
            seen.push_back(TextOf(::GetDlgItem(h, IDC_QLN_FONT_CTRL_BUTTON)) + L" | " + TextOf(::GetDlgItem(h, IDC_QLN_SAMPLE)) +
                           (h != nullptr && h == pCtrl->m_hWnd ? L"" : L" (not the accessor's)"));
        }
        return true;
    };
    int nHelpCalls = 0;
    const auto PressHelp = [&] {
        nHelpCalls = HtmlHelpRecorderProbe::Calls();
        return PostClick(::GetDlgItem(sheet.m_hWnd, IDHELP)), true;
    };
    const auto HelpAsked = [&](int nNextPage) {
        return Waiting("the page's help", [&, nNextPage] {
            RecordedHelpCall call = {};
            if (HtmlHelpRecorderProbe::Calls(&call) != nHelpCalls + 1)
                return false;
            seen.push_back(L"help " + std::to_wstring(call.dwData));
            return nNextPage < 0 ? (PostClick(::GetDlgItem(sheet.m_hWnd, IDCANCEL)), true) : PostTabClick(sheet.m_hWnd, nNextPage);
        });
    };
    const auto Shown = [](CPropertyPage& page, const char* what) {
        return Waiting(what, [&page] { return page.m_hWnd != nullptr && ::IsWindowVisible(page.m_hWnd); });
    };
    ScriptedUser user(
        Settled(Waiting("the sheet", [&] { return sheet.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd) && textPage.m_hWnd != nullptr; }),
                {[&] {
                     const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(sheet.m_hWnd, PSM_GETTABCONTROL, 0, 0));
                     std::wstring tabs;
                     for (int i = 0; i < 3; ++i) {
                         wchar_t sz[32] = {};
                         TCITEMW tab = {TCIF_TEXT, 0, 0, sz, 32, 0, 0};
                         ::SendMessageW(hTab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&tab));
                         tabs += std::wstring(i ? L" " : L"") + sz;
                     }
                     seen.push_back(tabs);
                     return Controls(textPage, {{IDC_QLN_TITLE_FONT_BOX, &textPage.GetTitleFontCtrl()},
                                                {IDC_QLN_HEADING_FONT_BOX, &textPage.GetHeadingFontCtrl()},
                                                {IDC_QLN_PROMPT_FONT_BOX, &textPage.GetDataLabelFontCtrl()},
                                                {IDC_QLN_VALUE_FONT_BOX, &textPage.GetDataFontCtrl()}}) && PressHelp();
                 },
                 HelpAsked(1), Shown(tablePage, "the table page"),
                 [&] {
                     return Controls(tablePage, {{IDC_QLN_TITLE_FONT_BOX, &tablePage.GetTitleFontCtrl()},
                                                 {IDC_QLN_HEADING_FONT_BOX, &tablePage.GetHeadingFontCtrl()},
                                                 {IDC_QLN_CELL_FONT_BOX, &tablePage.GetCellFontCtrl()}}) && PressHelp();
                 },
                 HelpAsked(2), Shown(annotationPage, "the annotation page"),
                 [&] {
                     seen.push_back(annotationPage.GetFontDialog().m_hWnd != nullptr &&
                                            ::GetParent(annotationPage.GetFontDialog().m_hWnd) == annotationPage.m_hWnd
                                        ? L"font dialog on the page" : L"no font dialog");
                     return PressHelp();
                 },
                 HelpAsked(-1)}),
        [&] { ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    sheet.DoModal();
    EXPECT_TRUE(user.Finished());
    const std::vector<std::wstring> expected = {
        L"Text Table Annotation",
        L"&Title font... | Sample Header Object", L"&Heading font... | Sample Header",
        L"Data &label font... | Data file:", L"&Data font... | {Data File}", L"help 1063",
        L"&Title font... | Table title", L"&Heading font... | Table heading", L"&Cell font... | Table cell", L"help 1065",
        L"font dialog on the page", L"help 1064"};
    EXPECT_EQ(expected, seen);
}

TEST(QLNFontPropPagesTest, TheAnnotationPageInTheSystemsFrameCarriesTheFontTheUserTypes)
{
    CQLNTextObjClient control;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(control, error)) << std::string(error.begin(), error.end());
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_AnnotationHost, &g_hostFactory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &dwCookie));
    RECT rcPage = {}, rcDialog = {};
    ScriptedUser user(
        Settled(Waiting("the annotation page's font dialog", [&] { return g_pHost != nullptr && g_pHost->m_page.GetFontDialog().m_hWnd != nullptr; }),
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
