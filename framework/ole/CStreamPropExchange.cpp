#include "CStreamPropExchange.h"

#include "CFontHolder.h"

#include <cstring>
#include <vector>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

CStreamPropExchange::CStreamPropExchange(IStream* pStream, BOOL bLoading) : m_pStream(pStream)
{
    m_bLoading = bLoading;
}

BOOL CStreamPropExchange::ReadBytes(void* pv, ULONG cb)
{
    ULONG read = 0;
    return m_pStream != nullptr && SUCCEEDED(m_pStream->Read(pv, cb, &read)) && read == cb;
}

BOOL CStreamPropExchange::CanStillDeliver(ULONGLONG cb)
{
    STATSTG stat = {};
    ULARGE_INTEGER position = {};
    const LARGE_INTEGER zero = {};
    if (m_pStream == nullptr || FAILED(m_pStream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(m_pStream->Seek(zero, STREAM_SEEK_CUR, &position)))
        return TRUE;   // a stream that cannot say: the reads find out
    return position.QuadPart <= stat.cbSize.QuadPart && stat.cbSize.QuadPart - position.QuadPart >= cb;
}

BOOL CStreamPropExchange::WriteBytes(const void* pv, ULONG cb)
{
    ULONG written = 0;
    return m_pStream != nullptr && SUCCEEDED(m_pStream->Write(pv, cb, &written)) && written == cb;
}

BOOL CStreamPropExchange::ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL)
{
    if (!m_bLoading) {
        dwVersionLoaded = dwVersionDefault;
        return WriteBytes(&dwVersionDefault, sizeof(DWORD));
    }
    DWORD version = 0;
    if (!ReadBytes(&version, sizeof version))
        return FALSE;
    dwVersionLoaded = version;
    return TRUE;
}

BOOL CStreamPropExchange::ExchangeProp(LPCTSTR, VARTYPE vtProp, void* pvProp, const void*)
{
    if (pvProp == nullptr)
        return FALSE;
    if (vtProp == VT_BSTR) {
        CString& s = *static_cast<CString*>(pvProp);
        if (!m_bLoading) {
            const ULONG length = static_cast<ULONG>(s.GetLength());
            return WriteBytes(&length, sizeof length) &&
                   (length == 0 || WriteBytes(s.GetString(), length * sizeof(WCHAR)));
        }
        ULONG length = 0;
        if (!ReadBytes(&length, sizeof length) || length > m_kulMaxString ||
            !CanStillDeliver(static_cast<ULONGLONG>(length) * sizeof(WCHAR)))
            return FALSE;
        // Read in bounded pieces, so that a length the stream does not back (one that cannot
        // tell its size) costs no more memory than the characters that do arrive.
        const ULONG kChunk = 0x8000;
        std::vector<WCHAR> text;
        for (ULONG done = 0; done < length;) {
            const ULONG n = length - done < kChunk ? length - done : kChunk;
            text.resize(done + n);
            if (!ReadBytes(text.data() + done, n * sizeof(WCHAR)))
                return FALSE;
            done += n;
        }
        s = CString(text.data(), static_cast<int>(length));
        return TRUE;
    }
    if (vtProp == VT_BOOL) {
        // Stored as one 32-bit value: 0 or 1.
        BOOL& b = *static_cast<BOOL*>(pvProp);
        if (!m_bLoading) {
            const DWORD value = b ? 1 : 0;
            return WriteBytes(&value, sizeof value);
        }
        DWORD value = 0;
        if (!ReadBytes(&value, sizeof value) || value > 1)
            return FALSE;
        b = value != 0 ? TRUE : FALSE;
        return TRUE;
    }
    const size_t size = ValueSize(vtProp);
    if (size == 0)
        return FALSE;
    if (!m_bLoading)
        return WriteBytes(pvProp, static_cast<ULONG>(size));
    // Read aside first: a short read must leave the value as it was.
    unsigned char buffer[8];
    if (!ReadBytes(buffer, static_cast<ULONG>(size)))
        return FALSE;
    memcpy(pvProp, buffer, size);
    return TRUE;
}

BOOL CStreamPropExchange::ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                                       IFontDisp* pFontDispAmbient)
{
    if (!m_bLoading) {
        // The font's own record holds the face and character set of the font the system realised
        // once the font was drawn: a copy given them as the font was (with no one listening)
        // writes the same bytes whether or not it was.
        const CY size = font.GetFontSize();
        CString name = font.GetFontName();
        const short charset = font.GetFontCharset();
        ComPtr<IFont> copy;
        ComPtr<IPersistStream> persist;
        if (font.m_pFont != nullptr && SUCCEEDED(font.m_pFont->Clone(&copy))) {
            const BSTR face = name.AllocSysString();
            copy->put_Name(face);
            ::SysFreeString(face);
            copy->put_Size(size);
            copy->put_Charset(charset);
            if (FAILED(copy.As(&persist)))
                persist = nullptr;
        }
        const BYTE present = persist != nullptr ? m_kbFontAsGiven : 0;
        BOOL ok = WriteBytes(&present, 1);
        if (persist != nullptr) {
            ok = ok && SUCCEEDED(persist->Save(m_pStream, FALSE));
            // What the font was given follows its own record, which holds the face only in the
            // ANSI code page.
            ok = ok && WriteBytes(&size, sizeof size) && ExchangeProp(pszPropName, VT_BSTR, &name) &&
                 WriteBytes(&charset, sizeof charset);
        }
        return ok;
    }
    BYTE present = 0;
    if (!ReadBytes(&present, 1) || present > m_kbFontAsGiven)
        return FALSE;
    if (present == 0) {
        font.InitializeFont(pFontDesc, pFontDispAmbient);
        return TRUE;
    }
    // Load into a font of our own first, so a damaged record leaves the holder's font alone.
    CFontHolder loaded(nullptr);
    loaded.InitializeFont(pFontDesc);
    ComPtr<IPersistStream> persist;
    if (loaded.m_pFont == nullptr || FAILED(loaded.m_pFont->QueryInterface(IID_PPV_ARGS(&persist))))
        return FALSE;
    const HRESULT hr = persist->Load(m_pStream);
    CY size = {};
    if (FAILED(hr) || !ReadBytes(&size, sizeof size) || size.int64 <= 0 || size.int64 > AFX_MAX_FONT_SIZE)
        return FALSE;
    // A set written before the face and character set followed has only the font's own record.
    CString name;
    short charset = 0;
    if (present == m_kbFontAsGiven &&
        (!ExchangeProp(pszPropName, VT_BSTR, &name) || !ReadBytes(&charset, sizeof charset) || charset < 0 ||
         charset > 255))
        return FALSE;
    font.SetFont(loaded.m_pFont);
    font.SetFontSize(size);
    if (present == m_kbFontAsGiven) {
        font.SetFontName(name);
        font.SetFontCharset(charset);
    }
    return TRUE;
}
