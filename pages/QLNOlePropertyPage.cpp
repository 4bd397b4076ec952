#include "QLNOlePropertyPage.h"

#include "AfxMessageBox.h"
#include "CInvalidArgException.h"
#include "COleDispatchDriver.h"
#include "COleDispatchException.h"
#include "QLNFontConversion.h"

#include <olectl.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <memory>

IMPLEMENT_DYNAMIC(CQLNOlePropertyPage, CQLNPropertyPage)

namespace {

// The VARTYPE that a text exchange's record carries for its member type. The unsigned 32-bit
// members are tagged VT_UI4 though they travel as VT_I4.
template <class T> constexpr UINT kTextTag = VT_EMPTY;
template <> constexpr UINT kTextTag<unsigned char> = VT_UI1;
template <> constexpr UINT kTextTag<short> = VT_I2;
template <> constexpr UINT kTextTag<int> = VT_I4;
template <> constexpr UINT kTextTag<long> = VT_I4;
template <> constexpr UINT kTextTag<unsigned int> = VT_UI4;
template <> constexpr UINT kTextTag<unsigned long> = VT_UI4;
template <> constexpr UINT kTextTag<float> = VT_R4;
template <> constexpr UINT kTextTag<double> = VT_R8;
template <> constexpr UINT kTextTag<CString> = VT_BSTR;

// Check boxes and radio groups are tagged VT_I4, whatever they travel as.
constexpr UINT kButtonTag = VT_I4;

// The kinds of record the post-processing writes; any other tag is passed over.
bool IsWrittenTag(UINT vt)
{
    switch (vt) {
    case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_BSTR:
    case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4:
        return true;
    default:
        return false;
    }
}

// The page whose exchange pDX is; CInvalidArgException for any other dialog.
CQLNOlePropertyPage* PageOfExchange(CDataExchange* pDX);

// Whether the property holds value already, read as the write would write it; a property that
// cannot be read is taken to differ.
template <class T>
bool HoldsText(CQLNOlePropertyPage& page, LPCTSTR pszPropName, const T& value)
{
    T current{};
    try {
        return page.GetPropText(pszPropName, &current) && current == value;
    } catch (const CException&) {
        return false;
    }
}

template <class T>
void SaveText(CDataExchange* pDX, int, void* pMember, LPCTSTR pszPropName)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    CQLNOlePropertyPage& page = *PageOfExchange(pDX);
    T& value = *static_cast<T*>(pMember);
    if (!HoldsText(page, pszPropName, value))
        page.SetPropText(pszPropName, value);
}

// A check box or radio group writes its value unless the property holds one equal in meaning
// (a check box's 2 is 1; a radio group travels as a short); a property that cannot be read is
// taken to differ.
void SaveButton(CDataExchange* pDX, void* pMember, LPCTSTR pszPropName,
                BOOL (CQLNOlePropertyPage::*pfnGet)(LPCTSTR, int*), BOOL (CQLNOlePropertyPage::*pfnSet)(LPCTSTR, int),
                int (*pfnMeaning)(int))
{
    if (!pDX->m_bSaveAndValidate)
        return;
    CQLNOlePropertyPage& page = *PageOfExchange(pDX);
    const int value = *static_cast<int*>(pMember);
    int current = 0;
    try {
        if ((page.*pfnGet)(pszPropName, &current) && current == pfnMeaning(value))
            return;
    } catch (const CException&) {
    }
    (page.*pfnSet)(pszPropName, value);
}

void SaveCheck(CDataExchange* pDX, int, void* pMember, LPCTSTR pszPropName)
{
    SaveButton(pDX, pMember, pszPropName, &CQLNOlePropertyPage::GetPropCheck, &CQLNOlePropertyPage::SetPropCheck,
               [](int value) { return value == 1 ? 1 : 0; });
}

void SaveRadio(CDataExchange* pDX, int, void* pMember, LPCTSTR pszPropName)
{
    SaveButton(pDX, pMember, pszPropName, &CQLNOlePropertyPage::GetPropRadio, &CQLNOlePropertyPage::SetPropRadio,
               [](int value) { return static_cast<int>(static_cast<short>(value & 0xFFFF)); });
}

CQLNOlePropertyPage* PageOfExchange(CDataExchange* pDX)
{
    CWnd* pWnd = pDX != nullptr ? pDX->m_pDlgWnd : nullptr;
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CQLNOlePropertyPage)))
        AfxThrowInvalidArgException();
    return static_cast<CQLNOlePropertyPage*>(pWnd);
}

} // namespace

CQLNOlePropertyPage::CQLNOlePropertyPage(UINT nIDTemplate, COleControl& ctrl, UINT nIDCaption)
    : CQLNPropertyPage(nIDTemplate, nIDCaption), m_pDispatch(ctrl.GetIDispatch(FALSE)), m_pCtrl(&ctrl)
{
}

CQLNOlePropertyPage::~CQLNOlePropertyPage()
{
    DeletePending();
}

// Reading and writing one property.

BOOL CQLNOlePropertyPage::FindDispID(LPCTSTR pszPropName, DISPID& dispid) const
{
    if (m_pDispatch == nullptr || pszPropName == nullptr)
        return FALSE;
    LPOLESTR name = const_cast<LPOLESTR>(pszPropName);
    return m_pDispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &dispid) >= 0;
}

BOOL CQLNOlePropertyPage::GetProp(LPCTSTR pszPropName, VARTYPE vt, void* pValue)
{
    DISPID dispid = DISPID_UNKNOWN;
    if (!FindDispID(pszPropName, dispid))
        return FALSE;
    COleDispatchDriver driver;
    driver.AttachDispatch(m_pDispatch, FALSE);
    driver.GetProperty(dispid, vt, pValue);
    driver.DetachDispatch();
    return TRUE;
}

// Arg is the C++ type that COleDispatchDriver::SetProperty takes for vt.
template <class Arg>
BOOL CQLNOlePropertyPage::SetProp(LPCTSTR pszPropName, VARTYPE vt, Arg value)
{
    DISPID dispid = DISPID_UNKNOWN;
    if (!FindDispID(pszPropName, dispid))
        return FALSE;
    COleDispatchDriver driver;
    driver.AttachDispatch(m_pDispatch, FALSE);
    driver.SetProperty(dispid, vt, value);
    driver.DetachDispatch();
    return TRUE;
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, unsigned char& value)
{
    return SetProp(pszPropName, VT_UI1, static_cast<int>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, short& value)
{
    return SetProp(pszPropName, VT_I2, static_cast<int>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, int& value)
{
    return SetProp(pszPropName, VT_I4, static_cast<long>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, unsigned int& value)
{
    return SetProp(pszPropName, VT_I4, static_cast<long>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, long& value)
{
    return SetProp(pszPropName, VT_I4, value);
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, unsigned long& value)
{
    return SetProp(pszPropName, VT_I4, static_cast<long>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, float& value)
{
    return SetProp(pszPropName, VT_R4, static_cast<double>(value));
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, double& value)
{
    return SetProp(pszPropName, VT_R8, value);
}

BOOL CQLNOlePropertyPage::SetPropText(LPCTSTR pszPropName, CString& value)
{
    return SetProp(pszPropName, VT_BSTR, value.GetString());
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, unsigned char* pValue)
{
    return GetProp(pszPropName, VT_UI1, pValue);
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, short* pValue)
{
    return GetProp(pszPropName, VT_I2, pValue);
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, int* pValue)
{
    long value = 0;
    if (!GetProp(pszPropName, VT_I4, &value))
        return FALSE;
    *pValue = static_cast<int>(value);
    return TRUE;
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, unsigned int* pValue)
{
    long value = 0;
    if (!GetProp(pszPropName, VT_I4, &value))
        return FALSE;
    *pValue = static_cast<unsigned int>(value);
    return TRUE;
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, long* pValue)
{
    return GetProp(pszPropName, VT_I4, pValue);
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, unsigned long* pValue)
{
    long value = 0;
    if (!GetProp(pszPropName, VT_I4, &value))
        return FALSE;
    *pValue = static_cast<unsigned long>(value);
    return TRUE;
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, float* pValue)
{
    return GetProp(pszPropName, VT_R4, pValue);
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, double* pValue)
{
    return GetProp(pszPropName, VT_R8, pValue);
}

BOOL CQLNOlePropertyPage::GetPropText(LPCTSTR pszPropName, CString* pValue)
{
    return GetProp(pszPropName, VT_BSTR, pValue);
}

BOOL CQLNOlePropertyPage::SetPropCheck(LPCTSTR pszPropName, int value)
{
    return SetProp(pszPropName, VT_BOOL, static_cast<BOOL>(value == 1));
}

BOOL CQLNOlePropertyPage::GetPropCheck(LPCTSTR pszPropName, int* pValue)
{
    BOOL bValue = FALSE;
    if (!GetProp(pszPropName, VT_BOOL, &bValue))
        return FALSE;
    *pValue = bValue ? 1 : 0;
    return TRUE;
}

BOOL CQLNOlePropertyPage::SetPropRadio(LPCTSTR pszPropName, int value)
{
    return SetProp(pszPropName, VT_I2, static_cast<int>(static_cast<short>(value & 0xFFFF)));
}

BOOL CQLNOlePropertyPage::GetPropRadio(LPCTSTR pszPropName, int* pValue)
{
    short value = 0;
    if (!GetProp(pszPropName, VT_I2, &value))
        return FALSE;
    *pValue = value;
    return TRUE;
}

BOOL CQLNOlePropertyPage::SetPropIndex(LPCTSTR pszPropName, int value)
{
    return SetPropRadio(pszPropName, value);
}

BOOL CQLNOlePropertyPage::GetPropIndex(LPCTSTR pszPropName, int* pValue)
{
    return GetPropRadio(pszPropName, pValue);
}

// Fonts and colours.

Microsoft::WRL::ComPtr<IFont> CQLNOlePropertyPage::GetFontObject(LPCTSTR pszPropName)
{
    Microsoft::WRL::ComPtr<IDispatch> object;
    Microsoft::WRL::ComPtr<IFont> font;
    if (GetProp(pszPropName, VT_DISPATCH, object.GetAddressOf()) && object != nullptr && FAILED(object.As(&font)))
        font = nullptr;
    return font;
}

LOGFONTW CQLNOlePropertyPage::GetFontProperty(LPCTSTR pszPropName, CY* pcySize)
{
    LOGFONTW lf = {};
    if (pcySize != nullptr)
        *pcySize = CY();
    const Microsoft::WRL::ComPtr<IFont> font = GetFontObject(pszPropName);
    if (font == nullptr)
        return lf;
    QLNFontToLogFont(font.Get(), lf);
    CString strName;
    short sCharset = 0;
    if (pcySize != nullptr && !AfxReadFontAsGiven(font.Get(), *pcySize, strName, sCharset))
        *pcySize = QLNHeightToFontSize(lf.lfHeight);
    return lf;
}

void CQLNOlePropertyPage::SetFontProperty(const LOGFONTW& lf, LPCTSTR pszPropName)
{
    QLNLogFontToFont(lf, GetFontObject(pszPropName).Get(), TRUE);
}

void CQLNOlePropertyPage::SetFontProperty(const LOGFONTW& lf, LPCTSTR pszPropName, CY cySize)
{
    QLNLogFontToFont(lf, GetFontObject(pszPropName).Get(), TRUE, &cySize);
}

COLORREF CQLNOlePropertyPage::GetColorProperty(LPCTSTR pszPropName)
{
    long value = 0;
    try {
        GetProp(pszPropName, VT_I4, &value);
    } catch (const CException&) {
    }
    return static_cast<COLORREF>(value);
}

void CQLNOlePropertyPage::SetColorProperty(COLORREF clr, LPCTSTR pszPropName)
{
    long current = 0;
    try {
        if (GetProp(pszPropName, VT_I4, &current) && current == static_cast<long>(clr))
            return;
    } catch (const CException&) {
    }
    try {
        SetProp(pszPropName, VT_I4, static_cast<long>(clr));
    } catch (const COleDispatchException& e) {
        e.ReportError(MB_ICONEXCLAMATION);
    } catch (const CException&) {
    }
}

// The exchange.

void CQLNOlePropertyPage::AddPending(QUILLON_DDPSAVEPROC pfnSave, int nIDC, BOOL bEditCtrl, void* pMember,
                                     UINT vtType, LPCTSTR pszPropName)
{
    std::unique_ptr<QUILLON_DDPDATA> pRecord(
        new QUILLON_DDPDATA(pfnSave, nIDC, bEditCtrl, pMember, vtType, pszPropName));
    m_arrPending.Add(pRecord.get());
    pRecord.release();
}

void CQLNOlePropertyPage::DeletePending()
{
    for (int i = 0; i < m_arrPending.GetSize(); ++i)
        delete m_arrPending[i];
    m_arrPending.RemoveAll();
}

template <class T>
void CQLNOlePropertyPage::ExchangeText(CDataExchange* pDX, int nIDC, T& member, LPCTSTR pszPropName)
{
    CQLNOlePropertyPage* pPage = PageOfExchange(pDX);
    if (pDX->m_bSaveAndValidate)
        pPage->AddPending(&SaveText<T>, nIDC, TRUE, &member, kTextTag<T>, pszPropName);
    else
        pPage->GetPropText(pszPropName, &member);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned char& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, short& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned int& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, long& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned long& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, float& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, double& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Text(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName)
{
    ExchangeText(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_Check(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName)
{
    CQLNOlePropertyPage* pPage = PageOfExchange(pDX);
    if (pDX->m_bSaveAndValidate)
        pPage->AddPending(&SaveCheck, nIDC, FALSE, &member, kButtonTag, pszPropName);
    else
        pPage->GetPropCheck(pszPropName, &member);
}

void CQLNOlePropertyPage::Quillon_DDP_Radio(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName)
{
    CQLNOlePropertyPage* pPage = PageOfExchange(pDX);
    if (pDX->m_bSaveAndValidate)
        pPage->AddPending(&SaveRadio, nIDC, FALSE, &member, kButtonTag, pszPropName);
    else
        pPage->GetPropRadio(pszPropName, &member);
}

void CQLNOlePropertyPage::Quillon_DDP_CBString(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_CBStringExact(CDataExchange* pDX, int nIDC, CString& member,
                                                    LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_LBString(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_LBStringExact(CDataExchange* pDX, int nIDC, CString& member,
                                                    LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_CBIndex(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_LBIndex(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName)
{
    Quillon_DDP_Text(pDX, nIDC, member, pszPropName);
}

void CQLNOlePropertyPage::Quillon_DDP_PostProcessing(CDataExchange* pDX)
{
    if (pDX == nullptr || !pDX->m_bSaveAndValidate)
        return;
    PageOfExchange(pDX)->RunPending(pDX);
}

void CQLNOlePropertyPage::RunPending(CDataExchange* pDX)
{
    // Records that an earlier exchange left behind run first, with the members as they are now.
    const int nRecords = m_arrPending.GetSize();
    for (int i = 0; i < nRecords; ++i) {
        const QUILLON_DDPDATA& record = *m_arrPending[i];
        if (!IsRecordChanged(record))
            continue;
        try {
            // Current, so that a failure puts the user on this record's control.
            if (record.m_bEditCtrl)
                pDX->PrepareEditCtrl(record.m_nCtrlID);
            else
                pDX->PrepareCtrl(record.m_nCtrlID);
            if (IsWrittenTag(record.m_vtType))
                record.m_pfnSave(pDX, record.m_nCtrlID, record.m_pMember, record.m_pszPropName);
        } catch (const COleDispatchException& e) {
            // The control refused the value: the user hears its reason and stays on the page,
            // and nothing after it is written.
            // The framework's box, as for a refused colour: one caption for the page's errors.
            DeletePending();
            AfxMessageBox(e.m_strDescription, MB_ICONEXCLAMATION);
            pDX->Fail();
        } catch (const CException&) {
            // A value that does not convert, or a page without the record's control: this
            // record is not written, the others are.
        }
    }
    DeletePending();
}

BOOL CQLNOlePropertyPage::IsRecordChanged(const QUILLON_DDPDATA& record) const
{
    const UINT nID = static_cast<UINT>(record.m_nCtrlID);
    if (IsControlChanged(nID))
        return TRUE;
    if (record.m_pfnSave != &SaveRadio || m_hWnd == nullptr)
        return FALSE;
    // A radio group's record names its first button; the group runs to the next control that
    // starts one, and only its radio buttons count.
    HWND hWnd = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    while (hWnd != nullptr && (hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) != nullptr &&
           !(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP)) {
        if ((::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) &&
            IsControlChanged(static_cast<UINT>(::GetDlgCtrlID(hWnd))))
            return TRUE;
    }
    return FALSE;
}
