#include "CDC.h"

#include "CHandleMap.h"

#include <cwchar>
#include <new>
#include <vector>

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

CObject* ConstructTemporary(void* h)
{
    CDC* pDC = new (std::nothrow) CDC;
    if (pDC != nullptr)
        pDC->m_hDC = pDC->m_hAttribDC = static_cast<HDC>(h);
    return pDC;
}

void DestructTemporary(CObject* pObject)
{
    CDC* pDC = static_cast<CDC*>(pObject);
    // A temporary wrapper never owned its DC and is not in the permanent map.
    pDC->m_hDC = pDC->m_hAttribDC = nullptr;
    delete pDC;
}

CHandleMap& DCMap()
{
    static CHandleMap map(&ConstructTemporary, &DestructTemporary);
    return map;
}

// Settings go to both DCs, the output DC first, once when they are one; the old value answered
// is the attribute DC's, which is what measuring code reads back.
template <typename R, typename F>
R OnBothDCs(HDC hDC, HDC hAttribDC, R none, F set)
{
    R old = none;
    if (hDC != nullptr && hDC != hAttribDC)
        old = set(hDC);
    if (hAttribDC != nullptr)
        old = set(hAttribDC);
    return old;
}

} // namespace

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr)
{
}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC)
{
    return static_cast<CDC*>(DCMap().FromHandle(hDC));
}

void CDC::DeleteTempObject(HDC hDC)
{
    DCMap().DeleteTemporary(hDC);
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr || m_hDC != nullptr)
        return FALSE;
    if (!DCMap().SetPermanent(hDC, this))
        return FALSE;
    m_hDC = hDC;
    SetAttribDC(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    ReleaseOutputDC();
    if (hDC != nullptr && DCMap().SetPermanent(hDC, this))
        m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    if (m_hDC != nullptr && DCMap().LookupPermanent(m_hDC) == this)
        DCMap().RemoveHandle(m_hDC);
    m_hDC = nullptr;
}

HGDIOBJ CDC::SelectGdiObject(HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    return OnBothDCs(m_hDC, m_hAttribDC, HGDIOBJ{}, [&](HDC h) { return ::SelectObject(h, hObject); });
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr)
        return nullptr;
    return CGdiObject::FromHandle(SelectGdiObject(pObject->m_hObject));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == nullptr)
        return nullptr;
    return CFont::FromHandle(static_cast<HFONT>(SelectGdiObject(pFont->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == nullptr)
        return nullptr;
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectGdiObject(pBrush->m_hObject)));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == nullptr)
        return nullptr;
    return CPen::FromHandle(static_cast<HPEN>(SelectGdiObject(pPen->m_hObject)));
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectGdiObject(::GetStockObject(nIndex)));
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return OnBothDCs(m_hDC, m_hAttribDC, COLORREF(CLR_INVALID), [&](HDC h) { return ::SetTextColor(h, crColor); });
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return OnBothDCs(m_hDC, m_hAttribDC, COLORREF(CLR_INVALID), [&](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::SetMapMode(int nMapMode)
{
    return OnBothDCs(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetMapMode(h, nMapMode); });
}

int CDC::SetBkMode(int nBkMode)
{
    return OnBothDCs(m_hDC, m_hAttribDC, 0, [&](HDC h) { return ::SetBkMode(h, nBkMode); });
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return OnBothDCs(m_hDC, m_hAttribDC, UINT(GDI_ERROR), [&](HDC h) { return ::SetTextAlign(h, nFlags); });
}

int CDC::CheckedLength(LPCTSTR lpszString, int nCount)
{
    if (lpszString == nullptr || nCount < -1)
        return 0;
    if (nCount == -1)
        return static_cast<int>(std::wcslen(lpszString));
    return static_cast<int>(::wcsnlen(lpszString, static_cast<size_t>(nCount)));
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    if (m_hAttribDC != nullptr && lpszString != nullptr && nCount >= -1)
        ::GetTextExtentPoint32W(m_hAttribDC, lpszString, CheckedLength(lpszString, nCount), &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(str.GetString(), str.GetLength());
}

CSize CDC::GetTextExtentExPoint(LPCTSTR lpszString, int nCount, LPINT pnExtents) const
{
    SIZE size = {0, 0};
    if (m_hAttribDC != nullptr && lpszString != nullptr && nCount >= -1 && pnExtents != nullptr)
        ::GetTextExtentExPointW(m_hAttribDC, lpszString, CheckedLength(lpszString, nCount), 0, nullptr, pnExtents,
                                &size);
    return size;
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                               LPINT lpnTabStopPositions) const
{
    if (m_hAttribDC == nullptr || lpszString == nullptr || nCount < -1)
        return CSize();
    // Without a stop array the platform would read stops that are not there.
    if (lpnTabStopPositions == nullptr || nTabPositions < 0)
        nTabPositions = 0;
    return CSize(::GetTabbedTextExtentW(m_hAttribDC, lpszString, CheckedLength(lpszString, nCount), nTabPositions,
                                        lpnTabStopPositions));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(str.GetString(), str.GetLength(), nTabPositions, lpnTabStopPositions);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return m_hAttribDC != nullptr ? ::GetDeviceCaps(m_hAttribDC, nIndex) : 0;
}

namespace {

// A text that DrawText with format 0 draws as one line, as it stands: no prefix "&", no line
// break, tab or other control character, and not empty.
bool IsOneLineAsItStands(LPCTSTR lpsz, int nLength)
{
    for (int i = 0; i < nLength; ++i)
        if (lpsz[i] < L' ' || lpsz[i] == L'&')
            return false;
    return nLength > 0;
}

// Whether ExtTextOutW given no advances would measure the letters one call apiece: Wine's
// metafile recorder does, to write each letter's advance into the record. In MM_TEXT without a
// world transform the advances of one measurement of the whole text are the same numbers.
bool RecordsLetterAdvances(HDC hDC)
{
    return ::GetObjectType(hDC) == OBJ_ENHMETADC && ::GetMapMode(hDC) == MM_TEXT &&
           ::GetGraphicsMode(hDC) == GM_COMPATIBLE;
}

// The widths of a text's prefixes turned, in place, into the advance of each letter.
void ToAdvances(std::vector<INT>& extents)
{
    for (size_t i = extents.size(); i-- > 1;)
        extents[i] -= extents[i - 1];
}

// The advance of each letter of the text in the DC's font, and the text's extent.
bool MeasureAdvances(HDC hDC, LPCTSTR lpsz, UINT nLength, std::vector<INT>& advances, SIZE& size)
{
    advances.resize(nLength);
    if (nLength == 0 || !::GetTextExtentExPointW(hDC, lpsz, static_cast<int>(nLength), 0, nullptr,
                                                 advances.data(), &size))
        return false;
    ToAdvances(advances);
    return true;
}

} // namespace

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return DrawText(lpszString, nCount, lpRect, nFormat, nullptr);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, const INT* pnExtents)
{
    if (m_hDC == nullptr || lpszString == nullptr || lpRect == nullptr || nCount < -1)
        return 0;
    // Format 0 with the DC's alignment at top left draws the line at the rectangle's top left,
    // clipped to it, and answers the font's height: what the platform's DrawTextW does through
    // ExtTextOutW, without its line-breaking pass, which costs more than the drawing under Wine.
    // Column layouts draw thousands of such pieces a page.
    const int nLength = CheckedLength(lpszString, nCount);
    if (nFormat == 0 && IsOneLineAsItStands(lpszString, nLength) && ::GetTextAlign(m_hDC) == 0) {
        const UINT nChars = static_cast<UINT>(nLength);
        TEXTMETRICW tm;
        if (RecordsLetterAdvances(m_hDC)) {
            // The recording needs the advances: from the caller's measurement on this DC, or
            // from one measurement, which gives the height as well.
            std::vector<INT> advances;
            SIZE size = {0, 0};
            bool bKnown = false;
            if (pnExtents != nullptr && m_hAttribDC == m_hDC && ::GetTextMetricsW(m_hDC, &tm)) {
                advances.assign(pnExtents, pnExtents + nChars);
                ToAdvances(advances);
                size.cy = tm.tmHeight;
                bKnown = true;
            } else {
                bKnown = MeasureAdvances(m_hDC, lpszString, nChars, advances, size);
            }
            if (bKnown)
                return ExtTextOut(lpRect->left, lpRect->top, ETO_CLIPPED, lpRect, lpszString, nChars, advances.data())
                           ? size.cy
                           : 0;
        }
        if (::GetTextMetricsW(m_hDC, &tm))
            return ExtTextOut(lpRect->left, lpRect->top, ETO_CLIPPED, lpRect, lpszString, nChars, nullptr)
                       ? tm.tmHeight
                       : 0;
    }
    // The string is the caller's constant: the platform may not write an ellipsis into it.
    return ::DrawTextW(m_hDC, lpszString, nLength, lpRect, nFormat & ~static_cast<UINT>(DT_MODIFYSTRING));
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    if (m_hDC == nullptr || lpszString == nullptr || nCount < 0)
        return FALSE;
    return ExtTextOut(x, y, 0, nullptr, lpszString, static_cast<UINT>(CheckedLength(lpszString, nCount)), nullptr);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, str.GetString(), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths)
{
    if (m_hDC == nullptr)
        return FALSE;
    UINT nLength = 0;
    if (lpszString != nullptr)
        nLength = static_cast<UINT>(::wcsnlen(lpszString, nCount));
    std::vector<INT> advances;
    SIZE size;
    if (lpDxWidths == nullptr && nLength > 1 && (nOptions & (ETO_GLYPH_INDEX | ETO_PDY)) == 0 &&
        RecordsLetterAdvances(m_hDC) && MeasureAdvances(m_hDC, lpszString, nLength, advances, size))
        lpDxWidths = advances.data();
    return ::ExtTextOutW(m_hDC, x, y, nOptions, lpRect, lpszString, nLength, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str.GetString(), static_cast<UINT>(str.GetLength()),
                      lpDxWidths);
}

BOOL CDC::GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                     int nCount, int x, int y, int nWidth, int nHeight)
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::GrayStringW(m_hDC, pBrush != nullptr ? static_cast<HBRUSH>(pBrush->m_hObject) : nullptr,
                         lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (m_hDC == nullptr || lpRect == nullptr || pBrush == nullptr)
        return;
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    if (m_hDC == nullptr || lpRect == nullptr)
        return;
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (m_hDC == nullptr || lpRect == nullptr || pBrush == nullptr)
        return;
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    if (m_hDC != nullptr && lpRect != nullptr)
        ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return m_hDC != nullptr && ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return lpRect != nullptr && Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

CPoint CDC::MoveTo(int x, int y)
{
    return OnBothDCs(m_hDC, m_hAttribDC, CPoint(0, 0), [&](HDC h) {
        POINT old = {0, 0};
        ::MoveToEx(h, x, y, &old);
        return CPoint(old);
    });
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    // The attribute DC only follows the current position.
    if (m_hAttribDC != nullptr && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return m_hDC != nullptr && ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}
