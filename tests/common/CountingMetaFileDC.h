// A metafile device that counts what the engine asks of it: text measurements (on the
// attribute DC) and text pieces drawn (on the output DC), which it also keeps as given.
#pragma once
#include "CMetaFileDC.h"

#include <string>
#include <vector>

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
    CSize GetTextExtentExPoint(LPCTSTR lpszString, int nCount, LPINT pnExtents) const override
    {
        ++m_nMeasured;
        return CMetaFileDC::GetTextExtentExPoint(lpszString, nCount, pnExtents);
    }
    using CMetaFileDC::DrawText;
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, const INT* pnExtents) override
    {
        ++m_nDrawn;
        m_pieces.push_back(nCount < 0 ? std::wstring(lpszString) : std::wstring(lpszString, static_cast<size_t>(nCount)));
        return CMetaFileDC::DrawText(lpszString, nCount, lpRect, nFormat, pnExtents);
    }

    mutable int m_nMeasured = 0;
    int m_nDrawn = 0;
    std::vector<std::wstring> m_pieces;
};
