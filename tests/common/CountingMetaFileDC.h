// A metafile device that counts what the engine asks of it: text measurements (on the
// attribute DC) and text pieces drawn (on the output DC).
#pragma once
#include "CMetaFileDC.h"

class CountingMetaFileDC : public CMetaFileDC
{
public:
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const override
    {
        ++m_nMeasured;
        return CMetaFileDC::GetTextExtent(lpszString, nCount);
    }
    CSize GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const override
    {
        ++m_nMeasured;
        return CMetaFileDC::GetTabbedTextExtent(lpszString, nCount, nTabPositions, lpnTabStopPositions);
    }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) override
    {
        ++m_nDrawn;
        return CMetaFileDC::DrawText(lpszString, nCount, lpRect, nFormat);
    }

    mutable int m_nMeasured = 0;
    int m_nDrawn = 0;
};
