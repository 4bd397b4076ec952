#include "RaisingTextCtrl.h"

#include "AfxDispatch.h"
#include "CInvalidArgException.h"
#include "CMemoryException.h"
#include "CMetaFileDC.h"
#include "COleDispatchException.h"
#include "COleException.h"
#include "CUserException.h"
#include "RaisedKinds.h"

const CLSID CLSID_RaisingTextCtrl = {0x8e2d5b17, 0x4c06, 0x4a9f, {0xb3, 0xe1, 0x0d, 0x7c, 0x62, 0xf9, 0xa4, 0x58}};

namespace {

// The throw itself runs in the framework's DLL, where its AfxThrow functions are.
[[noreturn]] void FrameworkThrows(short nKind)
{
    switch (nKind) {
    case 0: AfxThrowInvalidArgException();
    case 1: AfxThrowMemoryException();
    case 2: AfxThrowUserException();
    case 3: AfxThrowOleException(modtest::kRaisedOleStatus);
    default: AfxThrowOleDispatchException(modtest::kRaisedDispatchCode, modtest::kRaisedDispatchText);
    }
}

bool IsKind(short nKind)
{
    for (const modtest::RaisedKind& kind : modtest::kRaisedKinds)
        if (kind.nKind == nKind)
            return true;
    return false;
}

// The clause that caught, then the run-time class of what it caught.
CString Caught(const char* pszCaughtAs, const CException& e)
{
    CString str;
    for (const char* psz = pszCaughtAs; *psz != '\0'; ++psz)
        str += static_cast<wchar_t>(*psz);
    str += L' ';
    for (const char* psz = e.GetRuntimeClass()->m_lpszClassName; *psz != '\0'; ++psz)
        str += static_cast<wchar_t>(*psz);
    return str;
}

// A device whose text measurements the framework refuses with the exception of one kind.
class CRefusingDC : public CMetaFileDC
{
public:
    explicit CRefusingDC(short nKind) : m_nKind(nKind) {}
    CSize GetTextExtent(LPCTSTR, int) const override { FrameworkThrows(m_nKind); }

private:
    short m_nKind;
};

} // namespace

BEGIN_DISPATCH_MAP(CRaisingTextCtrl, CQLNTextBaseCtrl)
    DISP_FUNCTION_ID(CRaisingTextCtrl, "Raise", 101, Raise, VT_EMPTY, VTS_I2)
    DISP_FUNCTION_ID(CRaisingTextCtrl, "CatchHere", 102, CatchHere, VT_BSTR, VTS_I2)
    DISP_FUNCTION_ID(CRaisingTextCtrl, "DrawRefused", 103, DrawRefused, VT_BOOL, VTS_I2)
END_DISPATCH_MAP()

void CRaisingTextCtrl::Raise(short nKind)
{
    if (IsKind(nKind))
        FrameworkThrows(nKind);
}

BSTR CRaisingTextCtrl::CatchHere(short nKind)
{
    CString str(L"none");
    if (!IsKind(nKind))
        return str.AllocSysString();
    // Most derived first: a clause catches only what it names or derives from it, so the clause
    // that runs tells whether the type was matched across the modules.
    try {
        FrameworkThrows(nKind);
    } catch (const CInvalidArgException& e) {
        str = Caught("CInvalidArgException", e);
    } catch (const CMemoryException& e) {
        str = Caught("CMemoryException", e);
    } catch (const CUserException& e) {
        str = Caught("CUserException", e);
    } catch (const COleException& e) {
        CString strStatus;
        strStatus.Format(L" %08lX", static_cast<unsigned long>(e.m_sc));
        str = Caught("COleException", e) + strStatus;
    } catch (const COleDispatchException& e) {
        CString strCode;
        strCode.Format(L" %u ", static_cast<unsigned>(e.m_wCode));
        str = Caught("COleDispatchException", e) + strCode + e.m_strDescription;
    } catch (const CException& e) {
        str = Caught("CException", e);
    }
    return str.AllocSysString();
}

BOOL CRaisingTextCtrl::DrawRefused(short nKind)
{
    if (!IsKind(nKind))
        return FALSE;
    CRefusingDC dc(nKind);
    if (!dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr))
        return FALSE;
    const CRect rc(0, 0, 300, 200);
    // CQLNTextBaseCtrl::OnDraw, in the base library, catches what the drawing raises.
    OnDraw(&dc, rc, rc);
    ::DeleteEnhMetaFile(dc.CloseEnhanced());
    return TRUE;
}
