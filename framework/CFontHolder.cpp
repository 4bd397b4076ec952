#include "CFontHolder.h"

#include <olectl.h>

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
      m_cySizeReported()
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
        IFont* pAmbient = nullptr;
        if (SUCCEEDED(pFontDispAmbient->QueryInterface(IID_IFont, reinterpret_cast<void**>(&pAmbient)))) {
            IFont* pClone = nullptr;
            if (SUCCEEDED(pAmbient->Clone(&pClone)))
                m_pFont = pClone;
            pAmbient->Release();
        }
    }
    if (m_pFont == nullptr) {
        FONTDESC fallback = DefaultFontDesc();
        const FONTDESC* pDesc = pFontDesc != nullptr ? pFontDesc : &fallback;
        if (FAILED(::OleCreateFontIndirect(const_cast<FONTDESC*>(pDesc), IID_IFont,
                                           reinterpret_cast<void**>(&m_pFont))))
            m_pFont = nullptr;
        else
            RememberGivenSize(pDesc->cySize);
    }
    Connect();
}

void CFontHolder::SetFont(IFont* pNewFont)
{
    if (pNewFont != nullptr)
        pNewFont->AddRef();
    ReleaseFont();
    m_pFont = pNewFont;
    Connect();
}

void CFontHolder::ReleaseFont()
{
    m_bSizeGiven = FALSE;
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
    if (m_pFont == nullptr || m_pNotify == nullptr)
        return;
    IConnectionPointContainer* pContainer = nullptr;
    if (FAILED(m_pFont->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))))
        return;
    IConnectionPoint* pPoint = nullptr;
    if (SUCCEEDED(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, &pPoint))) {
        if (FAILED(pPoint->Advise(m_pNotify, &m_dwConnectCookie)))
            m_dwConnectCookie = 0;
        pPoint->Release();
    }
    pContainer->Release();
}

void CFontHolder::Disconnect()
{
    if (m_pFont == nullptr || m_dwConnectCookie == 0)
        return;
    IConnectionPointContainer* pContainer = nullptr;
    if (SUCCEEDED(m_pFont->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
        IConnectionPoint* pPoint = nullptr;
        if (SUCCEEDED(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, &pPoint))) {
            pPoint->Unadvise(m_dwConnectCookie);
            pPoint->Release();
        }
        pContainer->Release();
    }
    m_dwConnectCookie = 0;
}

void CFontHolder::RememberGivenSize(CY cySize)
{
    CY reported = {};
    m_bSizeGiven = m_pFont != nullptr && SUCCEEDED(m_pFont->get_Size(&reported));
    m_cySizeGiven = cySize;
    m_cySizeReported = reported;
}

CY CFontHolder::GetFontSize()
{
    CY current = {};
    if (m_pFont == nullptr || FAILED(m_pFont->get_Size(&current)))
        return CY();
    if (m_bSizeGiven && current.int64 == m_cySizeReported.int64)
        return m_cySizeGiven;
    return current;
}

void CFontHolder::SetFontSize(CY cySize)
{
    if (m_pFont != nullptr && SUCCEEDED(m_pFont->put_Size(cySize)))
        RememberGivenSize(cySize);
}
