// A device context: an output DC that receives every drawing call and an attribute DC that
// answers every measurement and query.
//
// For a screen or printer DC both are the same handle. A metafile device records into its
// output DC while its attribute DC is a real device, so text is laid out for that device.
// State that affects both drawing and measurement (the selected font, text colour, mapping
// mode, alignment, background mode) is set on both.
//
// GetTextExtent and GetTabbedTextExtent are the measurement points of the framework: every
// text measurement of the library goes through them, so a derived DC can observe or replace
// them. The other virtual members are those a derived device (the metafile device) overrides.
#pragma once
#include "CBrush.h"
#include "CFont.h"
#include "CPen.h"
#include "CRect.h"
#include "CString.h"

class AFX_CORE_API CDC : public CObject
{
    DECLARE_DYNAMIC(CDC)
public:
    CDC();
    // Deletes an attached DC (DeleteDC); detach a DC that must outlive the object.
    ~CDC() override;

    HDC m_hDC;
    HDC m_hAttribDC;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // The object attached to the DC, else a temporary wrapper owned by the framework (see
    // CHandleMap.h) whose output and attribute DC are the handle; null for a null handle.
    static CDC* FromHandle(HDC hDC);
    // Frees the temporary wrapper of a DC that has been given back (CWnd::ReleaseDC); an
    // attached object is left to its owner.
    static void DeleteTempObject(HDC hDC);

    // Makes the DC both the output and the attribute DC and enters the object in the permanent
    // map; zero when the handle is null or a DC is already attached.
    BOOL Attach(HDC hDC);
    // Releases both DCs without deleting them and returns the output DC.
    HDC Detach();
    // Deletes the output DC (DeleteDC) after detaching it.
    BOOL DeleteDC();

    virtual void SetAttribDC(HDC hDC);
    virtual void SetOutputDC(HDC hDC);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    // Selection, on both DCs. The previous object of the attribute DC is returned as a
    // temporary wrapper (that of the output DC when there is no attribute DC); null when the
    // object is null or the selection failed.
    CGdiObject* SelectObject(CGdiObject* pObject);
    virtual CFont* SelectObject(CFont* pFont);
    CBrush* SelectObject(CBrush* pBrush);
    CPen* SelectObject(CPen* pPen);
    virtual CGdiObject* SelectStockObject(int nIndex);

    virtual COLORREF SetTextColor(COLORREF crColor);
    virtual COLORREF SetBkColor(COLORREF crColor);
    virtual int SetMapMode(int nMapMode);
    int SetBkMode(int nBkMode);
    UINT SetTextAlign(UINT nFlags);

    // Measurement on the attribute DC. A negative count or a null string measures nothing
    // (0, 0); a count past the string's end stops at the end.
    virtual CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    // The same, and in pnExtents (nCount of them, or as many as the string has) the width of
    // each prefix: pnExtents[i] of the first i + 1 characters (GetTextExtentExPointW).
    virtual CSize GetTextExtentExPoint(LPCTSTR lpszString, int nCount, LPINT pnExtents) const;
    // Width and height of the text with tabs expanded at the given stops (GetTabbedTextExtentW).
    virtual CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions,
                                      LPINT lpnTabStopPositions) const;
    CSize GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const;
    int GetDeviceCaps(int nIndex) const;

    // Drawing on the output DC. DrawText with a count of -1 draws up to the terminating zero;
    // with DT_CALCRECT it only measures, on the output DC, as the platform does. TextOut, and
    // DrawText of one line as it stands, draw through ExtTextOut, so a derived DC that draws
    // text otherwise overrides that alone.
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    // pnExtents: the widths of the text's prefixes as GetTextExtentExPoint measured them on the
    // attribute DC, or null. A recording that measures on the DC it records writes the letters'
    // advances from them beside a line drawn as it stands, instead of measuring it again.
    virtual int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, const INT* pnExtents);
    virtual BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString,
                            UINT nCount, LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
    virtual BOOL GrayString(CBrush* pBrush, BOOL(CALLBACK* lpfnOutput)(HDC, LPARAM, int), LPARAM lpData,
                            int nCount, int x, int y, int nWidth, int nHeight);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    // Fills with the colour without a brush; the DC's background colour becomes the colour.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    // One-pixel border drawn with the brush.
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    // The dotted focus rectangle; drawing it twice removes it.
    void DrawFocusRect(LPCRECT lpRect);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    // The current position moves on both DCs; the previous one of the attribute DC is returned.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);

    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

private:
    HGDIOBJ SelectGdiObject(HGDIOBJ hObject);
    // The length to use for a string and count from a caller: -1 or too large stops at the end.
    static int CheckedLength(LPCTSTR lpszString, int nCount);
};
