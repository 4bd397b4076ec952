// The named-property page against a control of the test's own that records every write that
// reaches it through its dispatch interface: loading shows the properties, saving writes every
// item after the dialog has been read, in the order the items were registered, a write the
// control refuses is reported and keeps the user on the page, and the values keep their
// automation types on the way.
#include "AfxDDX.h"
#include "AfxDispatch.h"
#include "COleControl.h"
#include "COleException.h"
#include "CPropertySheet.h"
#include "QLNOlePropertyPage.h"
#include "SheetUser.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

using namespace qlntest;

namespace {

// Refuses a Beta above 100 and a white Shade, as a control refuses a value it cannot take.
class RecordingControl : public COleControl
{
public:
    std::vector<std::wstring> m_writes;
    CString m_strAlpha = L"initial";
    long m_nBeta = 2;
    BOOL m_bGamma = TRUE;
    short m_nDelta = 0;
    double m_dEpsilon = 1.5;
    OLE_COLOR m_clrShade = RGB(1, 2, 3);

    CString GetAlpha() { return m_strAlpha; }
    void SetAlpha(LPCTSTR psz)
    {
        m_strAlpha = psz;
        Record(L"Alpha", psz);
    }
    long GetBeta() { return m_nBeta; }
    void SetBeta(long n)
    {
        if (n > 100)
            AfxThrowOleDispatchException(0, L"Beta may not exceed 100.");
        m_nBeta = n;
        Record(L"Beta", std::to_wstring(n));
    }
    BOOL GetGamma() { return m_bGamma; }
    void SetGamma(BOOL b)
    {
        m_bGamma = b;
        Record(L"Gamma", std::to_wstring(b));
    }
    short GetDelta() { return m_nDelta; }
    void SetDelta(short n)
    {
        m_nDelta = n;
        Record(L"Delta", std::to_wstring(n));
    }
    double GetEpsilon() { return m_dEpsilon; }
    void SetEpsilon(double d)
    {
        m_dEpsilon = d;
        wchar_t sz[32] = {};
        std::swprintf(sz, 32, L"%g", d);
        Record(L"Epsilon", sz);
    }
    OLE_COLOR GetShade() { return m_clrShade; }
    void SetShade(OLE_COLOR clr)
    {
        if (clr == RGB(255, 255, 255))
            AfxThrowOleDispatchException(0, L"Shade may not be white.");
        m_clrShade = clr;
        Record(L"Shade", std::to_wstring(clr));
    }

    DECLARE_DISPATCH_MAP()

private:
    void Record(const wchar_t* pszName, const std::wstring& value) { m_writes.push_back(pszName + (L"=" + value)); }
};

BEGIN_DISPATCH_MAP(RecordingControl, COleControl)
    DISP_PROPERTY_EX_ID(RecordingControl, "Alpha", 1, GetAlpha, SetAlpha, VT_BSTR)
    DISP_PROPERTY_EX_ID(RecordingControl, "Beta", 2, GetBeta, SetBeta, VT_I4)
    DISP_PROPERTY_EX_ID(RecordingControl, "Gamma", 3, GetGamma, SetGamma, VT_BOOL)
    DISP_PROPERTY_EX_ID(RecordingControl, "Delta", 4, GetDelta, SetDelta, VT_I2)
    DISP_PROPERTY_EX_ID(RecordingControl, "Epsilon", 5, GetEpsilon, SetEpsilon, VT_R8)
    DISP_PROPERTY_EX_ID(RecordingControl, "Shade", 6, GetShade, SetShade, VT_COLOR)
END_DISPATCH_MAP()

class RecordedPage : public CQLNOlePropertyPage
{
public:
    explicit RecordedPage(RecordingControl& ctrl) : CQLNOlePropertyPage(IDD_RECORDED, ctrl, IDS_RECORDED) {}
    CString m_strAlpha;
    int m_bGamma = 0;
    int m_nBeta = 0;
    int m_nDelta = -1;
    double m_dEpsilon = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        Quillon_DDP_Text(pDX, IDC_ALPHA, m_strAlpha, L"Alpha");
        DDX_Text(pDX, IDC_ALPHA, m_strAlpha);
        Quillon_DDP_Check(pDX, IDC_GAMMA, m_bGamma, L"Gamma");
        DDX_Check(pDX, IDC_GAMMA, m_bGamma);
        Quillon_DDP_Text(pDX, IDC_BETA, m_nBeta, L"Beta");
        DDX_Text(pDX, IDC_BETA, m_nBeta);
        Quillon_DDP_Radio(pDX, IDC_DELTA1, m_nDelta, L"Delta");
        DDX_Radio(pDX, IDC_DELTA1, m_nDelta);
        Quillon_DDP_Text(pDX, IDC_EPSILON, m_dEpsilon, L"Epsilon");
        DDX_Text(pDX, IDC_EPSILON, m_dEpsilon);
        Quillon_DDP_PostProcessing(pDX);
    }
};

std::vector<std::wstring> Tail(const std::vector<std::wstring>& all, size_t nFrom)
{
    return std::vector<std::wstring>(all.begin() + static_cast<std::ptrdiff_t>(std::min(nFrom, all.size())), all.end());
}

} // namespace

TEST(OlePropertyPageTest, SavingWritesEveryItemAfterTheDialogInOrderAndARefusalKeepsThePage)
{
    RecordingControl control;
    RecordedPage page(control);
    CPropertySheet sheet(L"Recorded");
    sheet.AddPage(&page);

    HWND hSheet = nullptr;
    auto item = [&](int nID) { return page.GetDlgItem(nID)->m_hWnd; };
    struct
    {
        std::wstring alpha, beta, epsilon;
        bool bGammaChecked = false, bDelta1Checked = false;
        size_t nWritesAtStart = 99, nWritesBeforeRefusal = 0, nWritesAfterRefusal = 0;
        std::vector<std::wstring> applied, beforeRefusal;
        bool bApplyAfterApply = true, bStayed = false, bApplyAfterRefusal = false, bFocusOnBeta = false;
        DWORD dwSelection = 0;
        std::wstring message;
    } seen;

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             seen.nWritesAtStart = control.m_writes.size();
             seen.alpha = TextOf(item(IDC_ALPHA));
             seen.beta = TextOf(item(IDC_BETA));
             seen.epsilon = TextOf(item(IDC_EPSILON));
             seen.bGammaChecked = ::SendMessageW(item(IDC_GAMMA), BM_GETCHECK, 0, 0) == BST_CHECKED;
             seen.bDelta1Checked = ::SendMessageW(item(IDC_DELTA1), BM_GETCHECK, 0, 0) == BST_CHECKED;
             PostTyping(item(IDC_ALPHA), L"typed");
             PostClick(item(IDC_GAMMA));
             PostTyping(item(IDC_BETA), L"7");
             PostClick(item(IDC_DELTA2));
             PostTyping(item(IDC_EPSILON), L"2.5");
             PostClick(::GetDlgItem(hSheet, kApplyButton));
             return true;
         },
         [&]() {
             if (control.m_writes.size() < 5)
                 return false;
             seen.applied = control.m_writes;
             seen.bApplyAfterApply = ApplyEnabled(hSheet);
             seen.nWritesBeforeRefusal = control.m_writes.size();
             PostTyping(item(IDC_ALPHA), L"again");
             PostTyping(item(IDC_BETA), L"500");
             PostTyping(item(IDC_EPSILON), L"9");
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         },
         [&]() {
             const HWND hBox = FindOwnedDialog(hSheet);
             if (hBox == nullptr)
                 return false;
             seen.message = MessageBoxText(hBox);
             seen.beforeRefusal = Tail(control.m_writes, seen.nWritesBeforeRefusal);
             PostClick(::GetDlgItem(hBox, IDOK));
             return true;
         },
         [&]() {
             if (FindOwnedDialog(hSheet) != nullptr)
                 return false;
             seen.bStayed = ::IsWindowVisible(hSheet) && sheet.GetActivePage() == &page;
             seen.bApplyAfterRefusal = ApplyEnabled(hSheet);
             seen.bFocusOnBeta = ::GetFocus() == item(IDC_BETA);
             seen.dwSelection = static_cast<DWORD>(::SendMessageW(item(IDC_BETA), EM_GETSEL, 0, 0));
             seen.nWritesAfterRefusal = control.m_writes.size();
             PostTyping(item(IDC_BETA), L"50");
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();

    // Loading reads every property and writes none.
    EXPECT_EQ(0u, seen.nWritesAtStart);
    EXPECT_EQ(L"initial", seen.alpha);
    EXPECT_EQ(L"2", seen.beta);
    EXPECT_EQ(L"1.5", seen.epsilon);
    EXPECT_TRUE(seen.bGammaChecked);
    EXPECT_TRUE(seen.bDelta1Checked);

    // Apply writes what the user left in the controls, item by item in the page's order.
    const std::vector<std::wstring> applied = {L"Alpha=typed", L"Gamma=0", L"Beta=7", L"Delta=1", L"Epsilon=2.5"};
    EXPECT_EQ(applied, seen.applied);
    EXPECT_FALSE(seen.bApplyAfterApply);

    // The third item is refused: the two before it are written, the two after it are not, the
    // control's reason is shown and the user is back on the refused value, whole text selected.
    EXPECT_EQ(L"Beta may not exceed 100.", seen.message);
    const std::vector<std::wstring> beforeRefusal = {L"Alpha=again", L"Gamma=0"};
    EXPECT_EQ(beforeRefusal, seen.beforeRefusal);
    EXPECT_EQ(seen.nWritesBeforeRefusal + 2, seen.nWritesAfterRefusal);
    EXPECT_TRUE(seen.bStayed);
    EXPECT_TRUE(seen.bApplyAfterRefusal);
    EXPECT_TRUE(seen.bFocusOnBeta);
    EXPECT_EQ(MAKELONG(0, 3), seen.dwSelection);

    // The refused exchange left no records behind: OK writes each item once more.
    const std::vector<std::wstring> accepted = {L"Alpha=again", L"Gamma=0", L"Beta=50", L"Delta=1", L"Epsilon=9"};
    EXPECT_EQ(accepted, Tail(control.m_writes, seen.nWritesAfterRefusal));
    EXPECT_EQ(50, control.m_nBeta);
    EXPECT_DOUBLE_EQ(9.0, control.m_dEpsilon);
}

TEST(OlePropertyPageTest, ValuesKeepTheirAutomationTypesAndUnknownNamesChangeNothing)
{
    RecordingControl control;
    RecordedPage page(control);

    // Check boxes: only 1 is TRUE, so the third state is written FALSE.
    EXPECT_TRUE(page.SetPropCheck(L"Gamma", 2));
    EXPECT_FALSE(control.m_bGamma);
    int nCheck = -1;
    EXPECT_TRUE(page.GetPropCheck(L"Gamma", &nCheck));
    EXPECT_EQ(0, nCheck);
    EXPECT_TRUE(page.SetPropCheck(L"Gamma", 1));
    EXPECT_TRUE(page.GetPropCheck(L"Gamma", &nCheck));
    EXPECT_EQ(1, nCheck);

    // Radio indexes travel as 16 bits: written cut, read sign-extended.
    EXPECT_TRUE(page.SetPropRadio(L"Delta", 65537));
    EXPECT_EQ(1, control.m_nDelta);
    control.m_nDelta = -1;
    int nRadio = 0;
    EXPECT_TRUE(page.GetPropIndex(L"Delta", &nRadio));
    EXPECT_EQ(-1, nRadio);

    // Unsigned members travel as the same 32 bits, signed.
    unsigned int nAll = 4294967295u;
    EXPECT_TRUE(page.SetPropText(L"Beta", nAll));
    EXPECT_EQ(-1, control.m_nBeta);
    unsigned long nRead = 0;
    EXPECT_TRUE(page.GetPropText(L"Beta", &nRead));
    EXPECT_EQ(4294967295ul, nRead);

    // Narrow and floating types, and a string that is a number.
    unsigned char nByte = 99;
    EXPECT_TRUE(page.SetPropText(L"Beta", nByte));
    EXPECT_EQ(99, control.m_nBeta);
    float fValue = 0.25f;
    EXPECT_TRUE(page.SetPropText(L"Epsilon", fValue));
    EXPECT_DOUBLE_EQ(0.25, control.m_dEpsilon);
    short nShort = 0;
    EXPECT_TRUE(page.GetPropText(L"Beta", &nShort));
    EXPECT_EQ(99, nShort);
    CString strBeta;
    EXPECT_TRUE(page.GetPropText(L"Beta", &strBeta));
    EXPECT_STREQ(L"99", strBeta);

    // A name the control does not have: nothing read, nothing written, no error.
    const size_t nWrites = control.m_writes.size();
    int nUnknown = 42;
    EXPECT_FALSE(page.GetPropText(L"Zeta", &nUnknown));
    EXPECT_EQ(42, nUnknown);
    EXPECT_FALSE(page.SetPropText(L"Zeta", nUnknown));
    EXPECT_FALSE(page.SetPropCheck(L"Zeta", 1));
    EXPECT_EQ(nWrites, control.m_writes.size());
    const LOGFONTW lf = page.GetFontProperty(L"Zeta");
    EXPECT_EQ(0, lf.lfHeight);
    EXPECT_EQ(L'\0', lf.lfFaceName[0]);

    // The plain functions leave the control's refusal and a failed conversion to the caller.
    nByte = 200;
    EXPECT_THROW(page.SetPropText(L"Beta", nByte), COleDispatchException);
    EXPECT_EQ(99, control.m_nBeta);
    int nAlpha = 5;
    EXPECT_THROW(page.GetPropText(L"Alpha", &nAlpha), COleException);
    EXPECT_EQ(5, nAlpha);

    // Colours: 0 for a name the control lacks.
    EXPECT_EQ(RGB(1, 2, 3), page.GetColorProperty(L"Shade"));
    EXPECT_EQ(0u, page.GetColorProperty(L"Zeta"));
    page.SetColorProperty(RGB(4, 5, 6), L"Shade");
    EXPECT_EQ(RGB(4, 5, 6), control.m_clrShade);
}

TEST(OlePropertyPageTest, ARefusedColourIsReportedAndTheCallReturns)
{
    RecordingControl control;
    RecordedPage page(control);
    std::wstring message;
    ScriptedUser user({[&]() {
                          const HWND hBox = FindOwnedDialog(nullptr);
                          if (hBox == nullptr)
                              return false;
                          message = MessageBoxText(hBox);
                          PostClick(::GetDlgItem(hBox, IDOK));
                          return true;
                      }},
                      [&]() {
                          if (const HWND hBox = FindOwnedDialog(nullptr))
                              ::PostMessageW(hBox, WM_CLOSE, 0, 0);
                      });
    page.SetColorProperty(RGB(255, 255, 255), L"Shade");
    EXPECT_TRUE(user.Finished());
    EXPECT_EQ(L"Shade may not be white.", message);
    EXPECT_EQ(RGB(1, 2, 3), control.m_clrShade);
}
