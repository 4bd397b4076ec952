#include "QLNFontFallback.h"

#include "QLNFontRuns.h"

#include <memory>

namespace {

const wchar_t kSystemLink[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
const wchar_t kSubstitutes[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes";
// ETO_NO_RECT, which the tool chain's headers lack: a text record that carries no rectangle.
const UINT kNoRect = 0x0100;

// A value of the machine's registry as its characters, empty when it is missing or of another type.
std::wstring ReadValue(const wchar_t* pszKey, const std::wstring& strName, DWORD nFlags)
{
    DWORD nBytes = 0;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, pszKey, strName.c_str(), nFlags, nullptr, nullptr, &nBytes) != ERROR_SUCCESS ||
        nBytes < sizeof(wchar_t))
        return std::wstring();
    std::wstring value(nBytes / sizeof(wchar_t), L'\0');
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, pszKey, strName.c_str(), nFlags, nullptr, &value[0], &nBytes) != ERROR_SUCCESS)
        return std::wstring();
    value.resize(nBytes / sizeof(wchar_t));
    return value;
}

std::wstring Trimmed(const std::wstring& s)
{
    const size_t nFirst = s.find_first_not_of(L' ');
    if (nFirst == std::wstring::npos)
        return std::wstring();
    return s.substr(nFirst, s.find_last_not_of(L' ') - nFirst + 1);
}

bool IsMissing(WORD nGlyph, wchar_t ch)
{
    // Control characters and halves of surrogate pairs have no glyph of their own to ask for.
    return nGlyph == 0xFFFF && ch >= L' ' && !(ch >= 0xD800 && ch <= 0xDFFF);
}

// The fonts of one drawing: the DC's own and, made on first use, each linked face at the same
// size and style; the DC gets its own font back at the end.
class CFallbackFonts
{
public:
    CFallbackFonts(HDC hDC, const wchar_t* pch, UINT nCount, const LOGFONTW& lf, std::vector<std::wstring> faces)
        : m_hDC(hDC), m_pch(pch), m_nCount(nCount), m_lf(lf), m_faces(std::move(faces)),
          m_hOwn(static_cast<HFONT>(::GetCurrentObject(hDC, OBJ_FONT))), m_fonts(m_faces.size() + 1),
          m_glyphs(m_faces.size() + 1)
    {
    }
    ~CFallbackFonts()
    {
        ::SelectObject(m_hDC, m_hOwn);
        for (HFONT hFont : m_fonts)
            if (hFont != nullptr)
                ::DeleteObject(hFont);
    }
    CFallbackFonts(const CFallbackFonts&) = delete;
    CFallbackFonts& operator=(const CFallbackFonts&) = delete;

    int Count() const { return static_cast<int>(m_fonts.size()); }

    void Select(int nFont)
    {
        if (nFont == 0) {
            ::SelectObject(m_hDC, m_hOwn);
            return;
        }
        if (m_fonts[nFont] == nullptr) {
            LOGFONTW lf = m_lf;
            ::lstrcpynW(lf.lfFaceName, m_faces[nFont - 1].c_str(), LF_FACESIZE);
            // A face of one script often declares no Western code page: asked for the own
            // font's character set, the system would give another face.
            lf.lfCharSet = DEFAULT_CHARSET;
            m_fonts[nFont] = ::CreateFontIndirectW(&lf);
        }
        ::SelectObject(m_hDC, m_fonts[nFont] != nullptr ? m_fonts[nFont] : m_hOwn);
    }

    bool Has(int nFont, int nAt)
    {
        std::vector<WORD>& glyphs = m_glyphs[nFont];
        if (glyphs.empty()) {
            glyphs.assign(m_nCount, 0xFFFF);
            Select(nFont);
            if (nFont != 0 && m_fonts[nFont] == nullptr)
                return false;
            ::GetGlyphIndicesW(m_hDC, m_pch, static_cast<int>(m_nCount), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        }
        return !IsMissing(glyphs[nAt], m_pch[nAt]) && !(m_pch[nAt] >= 0xD800 && m_pch[nAt] <= 0xDFFF);
    }

private:
    HDC m_hDC;
    const wchar_t* m_pch;
    UINT m_nCount;
    LOGFONTW m_lf;
    std::vector<std::wstring> m_faces;
    HFONT m_hOwn;
    std::vector<HFONT> m_fonts;
    std::vector<std::vector<WORD>> m_glyphs;
};

int CALLBACK PlayEach(HDC hDC, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, int nHandles, LPARAM)
{
    // As PlayEnhMetaFile does, a record that fails does not end the playing.
    CQLNFontFallback::PlayRecord(hDC, pHandles, pRecord, static_cast<UINT>(nHandles));
    return 1;
}

} // namespace

std::vector<std::wstring> CQLNFontFallback::LinkedFaces(const std::wstring& strFace)
{
    std::wstring links = ReadValue(kSystemLink, strFace, RRF_RT_REG_MULTI_SZ);
    if (links.empty()) {
        // A substitute names its face, and maybe a character set after a comma.
        const std::wstring substitute = ReadValue(kSubstitutes, strFace, RRF_RT_REG_SZ).c_str();
        if (!substitute.empty())
            links = ReadValue(kSystemLink, substitute.substr(0, substitute.find(L',')), RRF_RT_REG_MULTI_SZ);
    }
    // "FILE,Face" entries, each ended by a null; a face may be followed by scaling factors.
    std::vector<std::wstring> faces;
    for (size_t nAt = 0; nAt < links.size();) {
        const size_t nEnd = std::min(links.find(L'\0', nAt), links.size());
        const std::wstring entry = links.substr(nAt, nEnd - nAt);
        const size_t nComma = entry.find(L',');
        if (nComma != std::wstring::npos) {
            const std::wstring face = Trimmed(entry.substr(nComma + 1, entry.find(L',', nComma + 1) - nComma - 1));
            if (!face.empty() && face.size() < LF_FACESIZE)
                faces.push_back(face);
        }
        nAt = nEnd + 1;
    }
    return faces;
}

bool CQLNFontFallback::Lacks(HDC hDC, const wchar_t* pch, UINT nCount)
{
    if (hDC == nullptr || pch == nullptr || nCount == 0)
        return false;
    std::vector<WORD> glyphs(nCount);
    if (::GetGlyphIndicesW(hDC, pch, static_cast<int>(nCount), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return false;
    for (UINT i = 0; i < nCount; ++i)
        if (IsMissing(glyphs[i], pch[i]))
            return true;
    return false;
}

BOOL CQLNFontFallback::ExtTextOut(HDC hDC, int x, int y, UINT nOptions, const RECT* pRect, const wchar_t* pch,
                                  UINT nCount, const INT* pDx)
{
    const UINT nAlign = ::GetTextAlign(hDC);
    LOGFONTW lf = {};
    if (pch == nullptr || (nOptions & ETO_GLYPH_INDEX) || nAlign == GDI_ERROR || (nAlign & TA_UPDATECP) ||
        !Lacks(hDC, pch, nCount) || !::GetObjectW(::GetCurrentObject(hDC, OBJ_FONT), sizeof(lf), &lf))
        return ::ExtTextOutW(hDC, x, y, nOptions, pRect, pch, nCount, pDx);
    std::vector<std::wstring> faces = LinkedFaces(lf.lfFaceName);
    if (faces.empty()) {
        wchar_t szFace[LF_FACESIZE] = L"";
        if (::GetTextFaceW(hDC, LF_FACESIZE, szFace) > 0)
            faces = LinkedFaces(szFace);
    }
    TEXTMETRICW tm = {};
    if (faces.empty() || !::GetTextMetricsW(hDC, &tm))
        return ::ExtTextOutW(hDC, x, y, nOptions, pRect, pch, nCount, pDx);

    CFallbackFonts fonts(hDC, pch, nCount, lf, std::move(faces));
    // The runs go in the order the system would have drawn the whole text in: each is shaped and
    // ordered alone, so the bidi rules of the whole line must place them.
    const CQLNFontRuns::Reading reading = ((nOptions & ETO_RTLREADING) || (nAlign & TA_RTLREADING))
                                              ? CQLNFontRuns::Reading::RightToLeft
                                              : CQLNFontRuns::Reading::LeftToRight;
    const std::vector<CQLNFontRuns::Run> runs = CQLNFontRuns::InVisualOrder(
        pch, static_cast<int>(nCount),
        CQLNFontRuns::Split(pch, static_cast<int>(nCount), fonts.Count(), [&](int nFont, int nAt) { return fonts.Has(nFont, nAt); }),
        reading);

    // Each run's width: its share of the spacing given, else its extent in its font.
    const int nStep = (nOptions & ETO_PDY) ? 2 : 1;
    std::vector<int> widths;
    int nTotal = 0;
    for (const CQLNFontRuns::Run& run : runs) {
        int nWidth = 0;
        if (pDx != nullptr) {
            for (int i = run.nStart; i < run.nStart + run.nLength; ++i)
                nWidth += pDx[i * nStep];
        } else {
            fonts.Select(run.nFont);
            SIZE size = {};
            ::GetTextExtentPoint32W(hDC, pch + run.nStart, run.nLength, &size);
            nWidth = size.cx;
        }
        widths.push_back(nWidth);
        nTotal += nWidth;
    }

    // The runs share the own font's baseline, each from the left of its place.
    int xRun = x;
    if ((nAlign & TA_CENTER) == TA_CENTER)
        xRun = x - nTotal / 2;
    else if (nAlign & TA_RIGHT)
        xRun = x - nTotal;
    int yBaseline = y;
    if ((nAlign & TA_BASELINE) != TA_BASELINE)
        yBaseline = (nAlign & TA_BOTTOM) ? y - tm.tmDescent : y + tm.tmAscent;

    BOOL bDrawn = TRUE;
    if ((nOptions & ETO_OPAQUE) && pRect != nullptr)
        bDrawn = ::ExtTextOutW(hDC, x, y, ETO_OPAQUE, pRect, nullptr, 0, nullptr);
    ::SetTextAlign(hDC, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    const UINT nRunOptions = nOptions & ~static_cast<UINT>(ETO_OPAQUE | ETO_RTLREADING);
    for (size_t k = 0; k < runs.size(); ++k) {
        const CQLNFontRuns::Run& run = runs[k];
        fonts.Select(run.nFont);
        // A linked font's letters take their own advances: shaped letters (Arabic joining
        // forms, Indic clusters) are not as wide as the characters they were measured as.
        const bool bOwnSpacing = run.nFont == 0 && pDx != nullptr;
        // A run of a right-to-left level is read so, its spaces and punctuation too.
        const UINT nOptionsOfRun = (run.nLevel % 2 != 0) ? nRunOptions | ETO_RTLREADING : nRunOptions;
        bDrawn = ::ExtTextOutW(hDC, xRun, yBaseline, bOwnSpacing ? nOptionsOfRun : nOptionsOfRun & ~static_cast<UINT>(ETO_PDY),
                               pRect, pch + run.nStart, static_cast<UINT>(run.nLength),
                               bOwnSpacing ? pDx + run.nStart * nStep : nullptr) && bDrawn;
        xRun += widths[k];
    }
    ::SetTextAlign(hDC, nAlign);
    return bDrawn;
}

BOOL CQLNFontFallback::PlayRecord(HDC hDC, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, UINT nHandles)
{
    if (pRecord == nullptr || pRecord->iType != EMR_EXTTEXTOUTW || pRecord->nSize < sizeof(EMREXTTEXTOUTW))
        return ::PlayEnhMetaFileRecord(hDC, pHandles, pRecord, nHandles);
    const EMREXTTEXTOUTW& record = *reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
    const EMRTEXT& text = record.emrtext;
    const UINT64 nStringEnd = static_cast<UINT64>(text.offString) + static_cast<UINT64>(text.nChars) * sizeof(wchar_t);
    const UINT nStep = (text.fOptions & ETO_PDY) ? 2 : 1;
    const UINT64 nDxEnd = static_cast<UINT64>(text.offDx) + static_cast<UINT64>(text.nChars) * nStep * sizeof(INT);
    // A record that claims more than it holds is the platform's to refuse.
    if ((text.fOptions & ETO_GLYPH_INDEX) || text.nChars == 0 || nStringEnd > pRecord->nSize ||
        (text.offDx != 0 && nDxEnd > pRecord->nSize))
        return ::PlayEnhMetaFileRecord(hDC, pHandles, pRecord, nHandles);
    const BYTE* pBytes = reinterpret_cast<const BYTE*>(pRecord);
    const wchar_t* pch = reinterpret_cast<const wchar_t*>(pBytes + text.offString);
    const INT* pDx = text.offDx != 0 ? reinterpret_cast<const INT*>(pBytes + text.offDx) : nullptr;
    // The mode the text was recorded in, as the platform's player sets it; a font selected again
    // takes the mode's transformation.
    const int nOldMode = ::SetGraphicsMode(hDC, static_cast<int>(record.iGraphicsMode));
    if (record.iGraphicsMode == GM_COMPATIBLE)
        ::SelectObject(hDC, ::GetCurrentObject(hDC, OBJ_FONT));
    const RECT rc = {text.rcl.left, text.rcl.top, text.rcl.right, text.rcl.bottom};
    const BOOL bDrawn = ExtTextOut(hDC, text.ptlReference.x, text.ptlReference.y, text.fOptions & ~static_cast<UINT>(kNoRect),
                                   (text.fOptions & kNoRect) ? nullptr : &rc, pch, text.nChars, pDx);
    if (nOldMode != 0)
        ::SetGraphicsMode(hDC, nOldMode);
    return bDrawn;
}

BOOL CQLNFontFallback::Play(HDC hDC, HENHMETAFILE hEmf, const RECT* pBounds)
{
    return ::EnumEnhMetaFile(hDC, hEmf, PlayEach, nullptr, pBounds);
}
