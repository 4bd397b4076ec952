#include "CQLNPageFooter.h"

#include "CQLNPageScale.h"
#include "CQLNReportPage.h"

#include <algorithm>

CQLNPageFooter::CQLNPageFooter(const std::wstring& dataName, size_t nSheet, size_t nSheets)
{
    // The person's own way of writing a date.
    wchar_t szDate[80] = {};
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, szDate, 80, nullptr);
    m_texts[0] = dataName;
    m_texts[1] = szDate;
    m_texts[2] = L"Page " + std::to_wstring(nSheet + 1) + L" of " + std::to_wstring(nSheets);
}

void CQLNPageFooter::Draw(HDC hdc, const CQLNReportPage& page, const CQLNPageScale& scale) const
{
    const RECT rcMargins = page.MarginRect();
    const long nY = rcMargins.bottom + (page.Size().cy - rcMargins.bottom) / 3;
    // 8 points are 282 hundredths of a millimetre.
    const RECT rc = scale.ToDevice(RECT{rcMargins.left, nY, rcMargins.right, nY + 282});
    LOGFONTW lf = {};
    lf.lfHeight = -std::max<long>(rc.bottom - rc.top, 1);
    lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    const HFONT hFont = ::CreateFontIndirectW(&lf);
    const int nSaved = ::SaveDC(hdc);
    ::SelectObject(hdc, hFont);
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, RGB(0, 0, 0));
    const UINT aligns[3] = {TA_LEFT, TA_CENTER, TA_RIGHT};
    const long xs[3] = {rc.left, (rc.left + rc.right) / 2, rc.right};
    for (int i = 0; i < 3; ++i) {
        ::SetTextAlign(hdc, aligns[i] | TA_TOP);
        ::TextOutW(hdc, xs[i], rc.top, m_texts[i].c_str(), static_cast<int>(m_texts[i].size()));
    }
    ::RestoreDC(hdc, nSaved);
    ::DeleteObject(hFont);
}
