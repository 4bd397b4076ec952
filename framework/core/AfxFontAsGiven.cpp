#include "AfxFontAsGiven.h"

#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

BOOL AfxReadFontAsGiven(IFont* pFont, CY& cySize, CString& strName, short& sCharset)
{
    // The font's stream form: version 1 (1 byte), charset (2), flags (1), weight (2), the low 32
    // bits of the size (4), the face's length in bytes (1) and the face. The size there is the
    // one given, where the object reports the size of the font it realised; the face is only
    // in the ANSI code page, where a face such as "\u03A9mega" is lost.
    const size_t kHeader = 11;
    if (pFont == nullptr)
        return FALSE;
    ComPtr<IPersistStream> persist;
    if (FAILED(pFont->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(persist.GetAddressOf()))))
        return FALSE;
    ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    if (SUCCEEDED(hr))
        hr = persist->Save(stream.Get(), FALSE);
    HGLOBAL hMem = nullptr;
    STATSTG stat = {};
    if (SUCCEEDED(hr))
        hr = ::GetHGlobalFromStream(stream.Get(), &hMem);
    if (SUCCEEDED(hr))
        hr = stream->Stat(&stat, STATFLAG_NONAME);
    const BYTE* pb = SUCCEEDED(hr) ? static_cast<const BYTE*>(::GlobalLock(hMem)) : nullptr;
    const size_t cb = static_cast<size_t>(stat.cbSize.QuadPart);
    const BOOL bOk = pb != nullptr && cb >= kHeader && pb[0] == 1 && cb >= kHeader + pb[10];
    if (bOk) {
        sCharset = static_cast<short>(pb[1] | (pb[2] << 8));
        cySize.int64 = static_cast<LONGLONG>(pb[6] | (pb[7] << 8) | (pb[8] << 16) | (static_cast<ULONG>(pb[9]) << 24));
        const char* pszAnsi = reinterpret_cast<const char*>(pb + kHeader);
        int nAnsi = pb[10];
        // The logical font the object creates for its face holds the face as given, wide (31
        // characters of it), even once the system substituted another face and the object
        // reports that one; a copy realises it, so the font itself stays as it was. Only when
        // that font was made again after a substitution does it hold the substitute, as the
        // record does then.
        CString strWide;
        ComPtr<IFont> copy;
        HFONT hFont = nullptr;
        LOGFONTW lf = {};
        if (SUCCEEDED(pFont->Clone(copy.GetAddressOf())) && SUCCEEDED(copy->get_hFont(&hFont)) && hFont != nullptr &&
            ::GetObjectW(hFont, sizeof lf, &lf) == sizeof lf) {
            lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
            strWide = lf.lfFaceName;
        }
        // A face the logical font cut short goes on with the rest of the record's.
        const int nWide = strWide.GetLength();
        const int nWideAnsi = nWide > 0 ? ::WideCharToMultiByte(CP_ACP, 0, strWide, nWide, nullptr, 0, nullptr, nullptr) : 0;
        std::string ansiOfWide(static_cast<size_t>(nWideAnsi), '\0');
        if (nWideAnsi > 0)
            ::WideCharToMultiByte(CP_ACP, 0, strWide, nWide, &ansiOfWide[0], nWideAnsi, nullptr, nullptr);
        if (nWide == LF_FACESIZE - 1 && nWideAnsi < nAnsi &&
            ansiOfWide.compare(0, std::string::npos, pszAnsi, static_cast<size_t>(nWideAnsi)) == 0) {
            pszAnsi += nWideAnsi;
            nAnsi -= nWideAnsi;
        } else if (nWide > 0) {
            nAnsi = 0;
        }
        const int nChars = nAnsi > 0 ? ::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, nullptr, 0) : 0;
        CString strRest;
        wchar_t* pszRest = strRest.GetBufferSetLength(nChars > 0 ? nChars : 0);
        if (nChars > 0)
            ::MultiByteToWideChar(CP_ACP, 0, pszAnsi, nAnsi, pszRest, nChars);
        strName = strWide + strRest;
    }
    if (pb != nullptr)
        ::GlobalUnlock(hMem);
    return bOk;
}
