// A property page that exchanges its values with one control by property name, through the
// control's dispatch interface, as an outside container would: every change goes through the
// control's own property setters.
//
// A derived page's DoDataExchange pairs, for each item, a Quillon_DDP_ call with the ordinary
// DDX_ call for the same control and member (the Quillon_DDP_ call first), and ends with
// Quillon_DDP_PostProcessing:
//
//     Quillon_DDP_Text(pDX, IDC_TITLE, m_strTitle, L"Title");
//     DDX_Text(pDX, IDC_TITLE, m_strTitle);
//     ...
//     Quillon_DDP_PostProcessing(pDX);
//
// Loading, a Quillon_DDP_ call reads the property into the member at once and the DDX_ call
// shows it. Saving, the member has its new value only after the DDX_ call, so the Quillon_DDP_
// call registers a pending write, and the post-processing runs the writes in the order they
// were registered. A write the control rejects is reported, the rest are dropped, and the page
// is neither left nor applied; writes left behind by a saving exchange that a validation
// stopped run with the next one.
//
// A page writes back only what the user changed: a record runs only when the user changed its
// control (for a radio group, any button of the group) since the page was entered or last
// left, and writes nothing when the property already holds the value in the record's
// automation type (a Boolean property of 1 is the check box's TRUE). Writing every item on
// every saving exchange, as the exchange was first laid down, turned values equal in meaning
// into others (1 into -1), values the page cannot show into others, and made the control
// react to changes nobody made (resetting the user's column widths).
//
// Fonts and colours are exchanged directly: the page calls GetFontProperty and
// GetColorProperty while loading, SetFontProperty and SetColorProperty while saving.
#pragma once
#include "QLNBaseExport.h"

#include "CArray.h"
#include "COleControl.h"
#include "QLNPropertyPage.h"
#include "QUILLON_DDPDATA.h"

#include <wrl/client.h>

class QLN_BASE_API CQLNOlePropertyPage : public CQLNPropertyPage
{
    DECLARE_DYNAMIC(CQLNOlePropertyPage)
public:
    // The control must outlive the page: the page holds it without a reference.
    CQLNOlePropertyPage(UINT nIDTemplate, COleControl& ctrl, UINT nIDCaption);
    ~CQLNOlePropertyPage() override;

    // Property access by name. Each answers zero, changing nothing, when the control has no
    // property of that name. A rejected read or write raises COleDispatchException, a value
    // that does not convert to the automation type COleException.
    //
    // Automation types: unsigned char VT_UI1, short VT_I2, float VT_R4, double VT_R8, CString
    // VT_BSTR; int, long and their unsigned forms VT_I4 (the unsigned ones as the same 32 bits).
    BOOL SetPropText(LPCTSTR pszPropName, unsigned char& value);
    BOOL SetPropText(LPCTSTR pszPropName, short& value);
    BOOL SetPropText(LPCTSTR pszPropName, int& value);
    BOOL SetPropText(LPCTSTR pszPropName, unsigned int& value);
    BOOL SetPropText(LPCTSTR pszPropName, long& value);
    BOOL SetPropText(LPCTSTR pszPropName, unsigned long& value);
    BOOL SetPropText(LPCTSTR pszPropName, float& value);
    BOOL SetPropText(LPCTSTR pszPropName, double& value);
    BOOL SetPropText(LPCTSTR pszPropName, CString& value);
    BOOL GetPropText(LPCTSTR pszPropName, unsigned char* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, short* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, int* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, unsigned int* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, long* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, unsigned long* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, float* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, double* pValue);
    BOOL GetPropText(LPCTSTR pszPropName, CString* pValue);
    // A check box's state as VT_BOOL: only 1 is TRUE, so the third state (2) is written FALSE;
    // read back as 1 or 0.
    BOOL SetPropCheck(LPCTSTR pszPropName, int value);
    BOOL GetPropCheck(LPCTSTR pszPropName, int* pValue);
    // A radio group's (or a list's) index as VT_I2: the low 16 bits written, read sign-extended.
    BOOL SetPropRadio(LPCTSTR pszPropName, int value);
    BOOL GetPropRadio(LPCTSTR pszPropName, int* pValue);
    BOOL SetPropIndex(LPCTSTR pszPropName, int value);
    BOOL GetPropIndex(LPCTSTR pszPropName, int* pValue);

    // A font property as a logical font at 96 pixels per inch (lfHeight is minus the character
    // height in pixels), with the face, size and character set the font was given; all zeros
    // when the control has no such property or it holds no font. pcySize, when given, receives
    // the size exactly (points times 10000; 0 without a font), which whole pixels cannot hold.
    LOGFONTW GetFontProperty(LPCTSTR pszPropName, CY* pcySize = nullptr);
    // Changes the property's font object in place, so the control hears of it through its own
    // font notification: of face, size, italic, underline, strike-out, weight and character set
    // only what differs in meaning from what GetFontProperty gives, so a font the user left
    // alone keeps its size exactly. A changed height is written as cySize when that is the size
    // it stands for (see QLNLogFontToFont).
    void SetFontProperty(const LOGFONTW& lf, LPCTSTR pszPropName);
    void SetFontProperty(const LOGFONTW& lf, LPCTSTR pszPropName, CY cySize);
    // A colour property as VT_I4; 0 when it cannot be read.
    COLORREF GetColorProperty(LPCTSTR pszPropName);
    // Writes nothing when the property holds the colour already. A rejected write is reported
    // in a message box, and the call returns normally.
    void SetColorProperty(COLORREF clr, LPCTSTR pszPropName);

protected:
    // For use in the DoDataExchange of a CQLNOlePropertyPage only; see above. The property
    // name is kept, not copied, until the post-processing: pass a literal.
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned char& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, short& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned int& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, long& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, unsigned long& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, float& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, double& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Text(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Check(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName);
    static void Quillon_DDP_Radio(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName);
    // The list and combo box forms exchange a string or a 32-bit index like Quillon_DDP_Text.
    static void Quillon_DDP_CBString(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName);
    static void Quillon_DDP_CBStringExact(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName);
    static void Quillon_DDP_LBString(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName);
    static void Quillon_DDP_LBStringExact(CDataExchange* pDX, int nIDC, CString& member, LPCTSTR pszPropName);
    static void Quillon_DDP_CBIndex(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName);
    static void Quillon_DDP_LBIndex(CDataExchange* pDX, int nIDC, int& member, LPCTSTR pszPropName);
    // The last call of a saving exchange: runs the pending writes in registration order.
    static void Quillon_DDP_PostProcessing(CDataExchange* pDX);

    // Owned; emptied by the post-processing and the destructor.
    CArray<QUILLON_DDPDATA*, QUILLON_DDPDATA*> m_arrPending;
    // The control's dispatch interface, without a reference.
    LPDISPATCH m_pDispatch;
    // For derived pages, which reach their concrete control class through it.
    COleControl* m_pCtrl;

private:
    template <class T>
    static void ExchangeText(CDataExchange* pDX, int nIDC, T& member, LPCTSTR pszPropName);
    void AddPending(QUILLON_DDPSAVEPROC pfnSave, int nIDC, BOOL bEditCtrl, void* pMember, UINT vtType,
                    LPCTSTR pszPropName);
    void RunPending(CDataExchange* pDX);
    // Whether the user changed the control that shows the record's value.
    BOOL IsRecordChanged(const QUILLON_DDPDATA& record) const;
    void DeletePending();
    BOOL FindDispID(LPCTSTR pszPropName, DISPID& dispid) const;
    BOOL GetProp(LPCTSTR pszPropName, VARTYPE vt, void* pValue);
    // The font object of a font property; null when the control has no such property or it
    // holds no font.
    Microsoft::WRL::ComPtr<IFont> GetFontObject(LPCTSTR pszPropName);
    template <class Arg>
    BOOL SetProp(LPCTSTR pszPropName, VARTYPE vt, Arg value);
};
