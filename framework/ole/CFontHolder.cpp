#include "CFontHolder.h"

#include "AfxGuardEntry.h"

#include <olectl.h>
#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

// The platform framework's default control font.
FONTDESC DefaultFontDesc()
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof(FONTDESC);
    fd.lpstrName = const_cast<LPOLESTR>(L"MS Sans Serif");
    fd.cySize.int64 = 80000;
    fd.sWeight = FW_NORMAL;
    fd.sCharset = DEFAULT_CHARSET;
    return fd;
}

} // namespace

CFontHolder::CFontHolder(IPropertyNotifySink* pNotify)
    : m_pFont(nullptr), m_dwConnectCookie(0), m_pNotify(pNotify), m_bSizeGiven(FALSE), m_cySizeGiven(),
      m_bNameGiven(FALSE), m_bCharsetGiven(FALSE), m_sCharsetGiven(0), m_dwSizeCookie(0), m_xSizeSink(this)
{
}

CFontHolder::~CFontHolder()
{
    ReleaseFont();
}

void CFontHolder::InitializeFont(const FONTDESC* pFontDesc, IDispatch* pFontDispAmbient)
{
    ReleaseFont();
    if (pFontDispAmbient != nullptr) {
        ComPtr<IFont> ambient;
        IFont* pClone = nullptr;
        if (SUCCEEDED(pFontDispAmbient->QueryInterface(IID_PPV_ARGS(&ambient))) && SUCCEEDED(ambient->Clone(&pClone)))
            m_pFont = pClone;
        TakeGiven(DISPID_UNKNOWN);
    }
    if (m_pFont == nullptr) {
        FONTDESC fallback = DefaultFontDesc();
        const FONTDESC* pDesc = pFontDesc != nullptr ? pFontDesc : &fallback;
        if (FAILED(::OleCreateFontIndirect(const_cast<FONTDESC*>(pDesc), IID_IFont,
                                           reinterpret_cast<void**>(&m_pFont)))) {
            m_pFont = nullptr;
        } else {
            m_bSizeGiven = m_bCharsetGiven = TRUE;
            m_cySizeGiven = pDesc->cySize;
            m_sCharsetGiven = pDesc->sCharset;
            m_bNameGiven = pDesc->lpstrName != nullptr;
            m_strNameGiven = pDesc->lpstrName;
        }
    }
    Connect();
}

void CFontHolder::SetFont(IFont* pNewFont)
{
    if (pNewFont != nullptr)
        pNewFont->AddRef();
    ReleaseFont();
    m_pFont = pNewFont;
    TakeGiven(DISPID_UNKNOWN);
    Connect();
}

void CFontHolder::ReleaseFont()
{
    m_bSizeGiven = m_bNameGiven = m_bCharsetGiven = FALSE;
    if (m_pFont == nullptr)
        return;
    Disconnect();
    m_pFont->Release();
    m_pFont = nullptr;
}

IFontDisp* CFontHolder::GetFontDispatch()
{
    IFontDisp* pDisp = nullptr;
    if (m_pFont != nullptr &&
        FAILED(m_pFont->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&pDisp))))
        pDisp = nullptr;
    return pDisp;
}

HFONT CFontHolder::GetFontHandle()
{
    HFONT hFont = nullptr;
    if (m_pFont != nullptr && FAILED(m_pFont->get_hFont(&hFont)))
        hFont = nullptr;
    return hFont;
}

HFONT CFontHolder::GetFontHandle(long cyLogical, long cyHimetric)
{
    if (m_pFont == nullptr)
        return nullptr;
    if (cyLogical > 0 && cyHimetric > 0)
        m_pFont->SetRatio(cyLogical, cyHimetric);
    return GetFontHandle();
}

void CFontHolder::Connect()
{
    Advise(m_pNotify, m_dwConnectCookie);
    Advise(&m_xSizeSink, m_dwSizeCookie);
}

void CFontHolder::Disconnect()
{
    Unadvise(m_dwConnectCookie);
    Unadvise(m_dwSizeCookie);
}

void CFontHolder::Advise(IPropertyNotifySink* pSink, DWORD& dwCookie)
{
    dwCookie = 0;
    if (m_pFont == nullptr || pSink == nullptr)
        return;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(m_pFont->QueryInterface(IID_PPV_ARGS(&container))) &&
        SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point)) &&
        FAILED(point->Advise(pSink, &dwCookie)))
        dwCookie = 0;
}

void CFontHolder::Unadvise(DWORD& dwCookie)
{
    if (m_pFont == nullptr || dwCookie == 0)
        return;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(m_pFont->QueryInterface(IID_PPV_ARGS(&container))) &&
        SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, &point)))
        point->Unadvise(dwCookie);
    dwCookie = 0;
}

HRESULT CFontHolder::XSizeSink::QueryInterface(REFIID iid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyNotifySink) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT CFontHolder::XSizeSink::OnChanged(DISPID dispid)
{
    // Someone else set the value: what the font holds now is what was given.
    return AfxGuardEntry([&] {
        if (dispid == DISPID_FONT_SIZE || dispid == DISPID_FONT_NAME || dispid == DISPID_FONT_CHARSET ||
            dispid == DISPID_UNKNOWN)
            m_pHolder->TakeGiven(dispid);
        return S_OK;
    });
}

void CFontHolder::TakeGiven(DISPID dispid)
{
    CY cySize = {};
    CString strName;
    short sCharset = 0;
    const BOOL bRead = m_pFont != nullptr && AfxReadFontAsGiven(m_pFont, cySize, strName, sCharset);
    const BOOL bAll = dispid == DISPID_UNKNOWN;
    // A page the user left alone, or a script copying the name, writes back what the font
    // reported; the face or character set given stays.
    if (bRead && !bAll && IsReportedForGiven(dispid, strName, sCharset))
        return;
    if (bAll || dispid == DISPID_FONT_SIZE) {
        m_bSizeGiven = bRead && cySize.int64 > 0;
        m_cySizeGiven = cySize;
    }
    if (bAll || dispid == DISPID_FONT_NAME) {
        m_bNameGiven = bRead;
        m_strNameGiven = strName;
    }
    if (bAll || dispid == DISPID_FONT_CHARSET) {
        m_bCharsetGiven = bRead;
        m_sCharsetGiven = sCharset;
    }
}

BOOL CFontHolder::IsReportedForGiven(DISPID dispid, const CString& strName, short sCharset)
{
    const BOOL bName = dispid == DISPID_FONT_NAME;
    if ((!bName && dispid != DISPID_FONT_CHARSET) || !m_bNameGiven || !m_bCharsetGiven ||
        (bName ? strName == m_strNameGiven : sCharset == m_sCharsetGiven))
        return FALSE;
    // Ask a copy of the font, given the face and character set again, what it reports once it
    // has realised them; the copy has no connections, so no one hears of it.
    ComPtr<IFont> copy;
    if (FAILED(m_pFont->Clone(&copy)))
        return FALSE;
    const BSTR given = m_strNameGiven.AllocSysString();
    BSTR reported = nullptr;
    short sReported = 0;
    BOOL bSame = SUCCEEDED(copy->put_Name(given)) && SUCCEEDED(copy->put_Charset(m_sCharsetGiven));
    if (bName)
        bSame = bSame && SUCCEEDED(copy->get_Name(&reported)) && reported != nullptr &&
                strName == CString(reported, static_cast<int>(::SysStringLen(reported)));
    else
        bSame = bSame && SUCCEEDED(copy->get_Charset(&sReported)) && sReported == sCharset;
    ::SysFreeString(reported);
    ::SysFreeString(given);
    return bSame;
}

CY CFontHolder::GetFontSize()
{
    CY current = {};
    if (m_pFont != nullptr && m_bSizeGiven)
        current = m_cySizeGiven;
    else if (m_pFont != nullptr && FAILED(m_pFont->get_Size(&current)))
        current = CY();
    return current;
}

CString CFontHolder::GetFontName()
{
    if (m_pFont == nullptr)
        return CString();
    if (m_bNameGiven)
        return m_strNameGiven;
    BSTR name = nullptr;
    CString strName;
    if (SUCCEEDED(m_pFont->get_Name(&name)) && name != nullptr)
        strName = CString(name, static_cast<int>(::SysStringLen(name)));
    ::SysFreeString(name);
    return strName;
}

short CFontHolder::GetFontCharset()
{
    short sCharset = 0;
    if (m_pFont != nullptr && m_bCharsetGiven)
        sCharset = m_sCharsetGiven;
    else if (m_pFont != nullptr && FAILED(m_pFont->get_Charset(&sCharset)))
        sCharset = 0;
    return sCharset;
}

void CFontHolder::SetFontSize(CY cySize)
{
    // The font tells the size sink about this change too; what is remembered comes after it.
    if (m_pFont != nullptr && SUCCEEDED(m_pFont->put_Size(cySize))) {
        m_bSizeGiven = TRUE;
        m_cySizeGiven = cySize;
    }
}

void CFontHolder::SetFontName(const CString& strName)
{
    if (m_pFont == nullptr)
        return;
    BSTR name = strName.AllocSysString();
    if (SUCCEEDED(m_pFont->put_Name(name))) {
        m_bNameGiven = TRUE;
        m_strNameGiven = strName;
    }
    ::SysFreeString(name);
}

void CFontHolder::SetFontCharset(short sCharset)
{
    if (m_pFont != nullptr && SUCCEEDED(m_pFont->put_Charset(sCharset))) {
        m_bCharsetGiven = TRUE;
        m_sCharsetGiven = sCharset;
    }
}
