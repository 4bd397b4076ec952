// The annotation font page inside an OLE page of the system's property frame, driven as a user
// drives it. (The font control is driven on the text object's font page.)
#include "COleObjectFactory.h"
#include "COlePropertyPage.h"
#include "QLNAnnotationFontPropPage.h"
#include "QLNBaseRes.h"
#include "SampleObject.h"
#include "ScriptedUser.h"

#include <gtest/gtest.h>

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

TEST(QLNAnnotationFontPropPageTest, TheAnnotationPageInTheSystemsFrameCarriesTheFontTheUserTypes)
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
