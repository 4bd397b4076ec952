// A static text that word-wraps its text, centres each line within the block of lines and the
// block vertically, inside a margin of 10 pixels. Dialog templates of any module place it by
// its global window class name; its object is made on the window's first message and deleted
// after its last.
#pragma once
#include "QLNBaseExport.h"

#include "CDC.h"
#include "CWnd.h"

class QLN_BASE_API CQLNMultiLineCenteredStatic : public CWnd
{
public:
    static const wchar_t m_kszClassName[];

    CQLNMultiLineCenteredStatic() = default;
    ~CQLNMultiLineCenteredStatic() override = default;

    // The window procedure of the class: attaches an object on a window's first message and
    // dispatches every message through it.
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Draws text into rcBounds as the window paints itself, with the font, colour and
    // background mode the DC has: word-wrapped inside the margin, the block of lines centred
    // vertically (or from the top when it is taller than the area), each line centred within
    // the block, the block starting at the left margin. DT_LEFT or DT_RIGHT as nAlign aligns
    // the lines and the block with that margin instead; any other value centres.
    static void DrawLabelText(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign = DT_CENTER);
    // As DrawLabelText, but the block of lines goes where its lines go, as a text box places
    // them: centred lines in a block centred across the area, right-aligned ones against the
    // right margin, left-aligned ones against the left.
    static void DrawAlignedText(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign);

    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
    void PostNcDestroy() override;

private:
    // Where a block of centred lines goes across the area.
    enum class CentredBlock { AtLeftMargin, Centred };
    static void DrawBlock(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign, CentredBlock place);
};

// The global class "QLNMultiLineCenteredStatic", registered for the library's lifetime.
// Registration returns non-zero on success.
BOOL QLNRegisterMultiLineCenteredStatic(HINSTANCE hInstance);
void QLNUnregisterMultiLineCenteredStatic(HINSTANCE hInstance);
