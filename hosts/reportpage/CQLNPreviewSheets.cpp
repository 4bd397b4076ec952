#include "CQLNPreviewSheets.h"

#include "CQLNPageFooter.h"
#include "CQLNPageObject.h"
#include "CQLNPageScale.h"
#include "CQLNReportPage.h"
#include "CQLNTableContinuation.h"

bool CQLNPreviewSheets::Plan(const CQLNReportPage& page, std::wstring& error)
{
    m_parts.clear();
    CQLNTableContinuation tables(page);
    std::vector<RECT> places;
    for (const auto& object : page.Objects())
        places.push_back(object->Place());
    m_sheets = CQLNPageFlow::Plan(places, page.Size(), page.Margin(), tables);
    bool ok = true;
    for (const CQLNPageFlow::Sheet& sheet : m_sheets) {
        m_parts.emplace_back();
        for (const CQLNPageFlow::Part& part : sheet) {
            std::wstring why;
            m_parts.back().push_back(tables.Record(part, why));
            if (!why.empty() && ok) {
                error = why;
                ok = false;
            }
        }
    }
    if (m_nShown >= m_sheets.size())
        m_nShown = m_sheets.size() - 1;
    return ok;
}

void CQLNPreviewSheets::Clear()
{
    m_sheets.clear();
    m_parts.clear();
    m_nShown = 0;
}

bool CQLNPreviewSheets::Turn(int nStep)
{
    const long long nTo = static_cast<long long>(m_nShown) + nStep;
    if (nTo < 0 || nTo >= static_cast<long long>(m_sheets.size()))
        return false;
    m_nShown = static_cast<size_t>(nTo);
    return true;
}

void CQLNPreviewSheets::Draw(HDC hdc, const CQLNReportPage& page, POINT origin, int nZoom, const std::wstring& dataName,
                             std::wstring& error)
{
    page.DrawPaper(hdc, origin, nZoom);
    if (m_nShown >= m_sheets.size())
        return;
    const CQLNPageScale scale = CQLNPageScale::Screen(nZoom, origin);
    const CQLNPageFlow::Sheet& sheet = m_sheets[m_nShown];
    for (size_t i = 0; i < sheet.size(); ++i) {
        // An object removed since the sheets were planned is not drawn.
        if (sheet[i].nObject >= page.Objects().size())
            continue;
        const CQLNPageObject& object = *page.Objects()[sheet[i].nObject].Get();
        if (object.IsInPlaceActive())
            continue;
        const RECT rc = scale.ToDevice(sheet[i].rcPlace);
        CQLNObjectPicture* pPart = m_parts[m_nShown][i].get();
        std::wstring why;
        const bool ok = pPart != nullptr ? pPart->Show(object, hdc, rc, object.Resolution().Replacement(), why)
                                         : object.Show(hdc, rc, why);
        if (!ok && error.empty())
            error = why;
    }
    CQLNPageFooter(dataName, m_nShown, m_sheets.size()).Draw(hdc, page, scale);
}
