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
      m_dwSizeCookie(0), m_xSizeSink(this)
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
    IConnectionPointContainer* pContainer = nullptr;
    if (FAILED(m_pFont->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))))
        return;
    IConnectionPoint* pPoint = nullptr;
    if (SUCCEEDED(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, &pPoint))) {
        if (FAILED(pPoint->Advise(pSink, &dwCookie)))
            dwCookie = 0;
        pPoint->Release();
    }
    pContainer->Release();
}

void CFontHolder::Unadvise(DWORD& dwCookie)
{
    if (m_pFont == nullptr || dwCookie == 0)
        return;
    IConnectionPointContainer* pContainer = nullptr;
    if (SUCCEEDED(m_pFont->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer)))) {
        IConnectionPoint* pPoint = nullptr;
        if (SUCCEEDED(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, &pPoint))) {
            pPoint->Unadvise(dwCookie);
            pPoint->Release();
        }
        pContainer->Release();
    }
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
    // Someone else set the size: from now on the font's own answer is the size to keep.
    if (dispid == DISPID_FONT_SIZE || dispid == DISPID_UNKNOWN)
        m_pHolder->m_bSizeGiven = FALSE;
    return S_OK;
}

void CFontHolder::RememberGivenSize(CY cySize)
{
    m_bSizeGiven = m_pFont != nullptr;
    m_cySizeGiven = cySize;
}

CY CFontHolder::GetFontSize()
{
    if (m_pFont == nullptr)
        return CY();
    if (m_bSizeGiven)
        return m_cySizeGiven;
    CY current = {};
    if (ReadPersistedSize(current))
        return current;
    if (FAILED(m_pFont->get_Size(&current)))
        return CY();
    return current;
}

BOOL CFontHolder::ReadPersistedSize(CY& cySize)
{
    // The font's stream form: version (1 byte), charset (2), flags (1), weight (2), then the
    // size as given, the low 32 bits of the currency value.
    const ULONG kSizeOffset = 6;
    IPersistStream* pPersist = nullptr;
    if (FAILED(m_pFont->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&pPersist))))
        return FALSE;
    IStream* pStm = nullptr;
    BYTE bytes[kSizeOffset + 4] = {};
    ULONG read = 0;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &pStm);
    if (SUCCEEDED(hr))
        hr = pPersist->Save(pStm, FALSE);
    const LARGE_INTEGER zero = {};
    if (SUCCEEDED(hr))
        hr = pStm->Seek(zero, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr))
        hr = pStm->Read(bytes, sizeof bytes, &read);
    if (pStm != nullptr)
        pStm->Release();
    pPersist->Release();
    if (FAILED(hr) || read != sizeof bytes || bytes[0] != 1)
        return FALSE;
    cySize.int64 = static_cast<LONGLONG>(bytes[kSizeOffset] | (bytes[kSizeOffset + 1] << 8) |
                                         (bytes[kSizeOffset + 2] << 16) |
                                         (static_cast<ULONG>(bytes[kSizeOffset + 3]) << 24));
    return cySize.int64 > 0;
}

void CFontHolder::SetFontSize(CY cySize)
{
    // The font tells the size sink about this change too; what is remembered comes after it.
    if (m_pFont != nullptr && SUCCEEDED(m_pFont->put_Size(cySize)))
        RememberGivenSize(cySize);
}
