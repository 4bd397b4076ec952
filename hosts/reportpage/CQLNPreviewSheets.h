// The sheets of a page previewed with data, as they print (CQLNPageFlow), and the one a person
// is looking at. The tables' parts are recorded when the sheets are planned, so that showing a
// sheet asks nothing of the objects.
#pragma once
#include "CQLNObjectPicture.h"
#include "CQLNPageFlow.h"

#include <memory>
#include <string>
#include <vector>

class CQLNReportPage;

class CQLNPreviewSheets
{
public:
    // Plans the page's sheets anew, staying on the sheet shown while there is one.
    bool Plan(const CQLNReportPage& page, std::wstring& error);
    void Clear();
    size_t Count() const { return m_sheets.size(); }
    // From 0.
    size_t Shown() const { return m_nShown; }
    // Shows the next sheet (nStep 1) or the one before (-1); false when there is none.
    bool Turn(int nStep);
    // Shows the last sheet, as turning back from the report after it does.
    void ShowLast() { m_nShown = m_sheets.empty() ? 0 : m_sheets.size() - 1; }
    // The sheet shown, as CQLNReportPage::Draw draws the page, with its footer naming dataName.
    void Draw(HDC hdc, const CQLNReportPage& page, POINT origin, int nZoom, const std::wstring& dataName,
              std::wstring& error);

private:
    std::vector<CQLNPageFlow::Sheet> m_sheets;
    // By sheet and part: a table's part, or null for an object shown whole.
    std::vector<std::vector<std::unique_ptr<CQLNObjectPicture>>> m_parts;
    size_t m_nShown = 0;
};
