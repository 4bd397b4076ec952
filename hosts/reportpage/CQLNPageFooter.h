// The foot of every sheet of a page printed with data: the data file's name on the left, the
// date on which it is shown or printed in the middle and "Page i of n" on the right, 8 points
// high, a third of the way down the bottom margin, between the side margins.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

class CQLNPageScale;
class CQLNReportPage;

class CQLNPageFooter
{
public:
    // nSheet counts from 0.
    CQLNPageFooter(const std::wstring& dataName, size_t nSheet, size_t nSheets);

    // Onto hdc, the page's corner where the scale puts it.
    void Draw(HDC hdc, const CQLNReportPage& page, const CQLNPageScale& scale) const;

private:
    std::wstring m_texts[3];
};
