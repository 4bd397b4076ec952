#include "CQLNTableContinuation.h"

#include "CQLNObjectPicture.h"
#include "CQLNObjectRecording.h"
#include "CQLNPageObject.h"
#include "CQLNPageScale.h"
#include "CQLNReportPage.h"

CQLNTableContinuation::CQLNTableContinuation(const CQLNReportPage& page) : m_page(page)
{
    for (const auto& object : page.Objects()) {
        std::unique_ptr<CQLNTextObjClient> table;
        std::wstring why;
        const CQLNObjectResolution& resolution = object->Resolution();
        if (resolution.GetKind() == CQLNObjectResolution::Kind::Table && resolution.Lines().size() > 1 &&
            !object->IsPlaceholder()) {
            table = std::make_unique<CQLNTextObjClient>();
            if (!table->Attach(object->Object(), why) || !table->HasMember(L"RowsThatFit") ||
                !table->HasMember(L"FirstRow") || !table->HasMember(L"RowCount"))
                table.reset();
        }
        m_tables.push_back(std::move(table));
    }
}

double CQLNTableContinuation::Zoom()
{
    if (m_dZoom == 0.0) {
        m_dZoom = 1.0;
        CQLNObjectRecording recording;
        if (recording.m_fnCreate(RECT{0, 0, 1000, 1000}) == CQLNMetaFileDC::m_klSuccess)
            m_dZoom = CQLNPageScale::Device(recording.m_hAttribDC).Zoom();
    }
    return m_dZoom;
}

CQLNTableContinuation::~CQLNTableContinuation()
{
    for (size_t i = 0; i < m_tables.size(); ++i) {
        std::wstring why;
        if (m_tables[i])
            SetRows(i, 0, 0, why);
    }
}

bool CQLNTableContinuation::SetRows(size_t nObject, long nFirstRow, long nRowCount, std::wstring& error)
{
    CQLNTextObjClient& table = *m_tables[nObject];
    return table.PutProperty(L"FirstRow", std::to_wstring(nFirstRow), error) &&
           table.PutProperty(L"RowCount", std::to_wstring(nRowCount), error);
}

long CQLNTableContinuation::RowCount(size_t nObject)
{
    if (nObject >= m_tables.size() || !m_tables[nObject])
        return 0;
    // The first line is the columns; every other one a row the table was given.
    return static_cast<long>(m_page.Objects()[nObject]->Resolution().Lines().size() - 1);
}

long CQLNTableContinuation::RowsThatFit(size_t nObject, long nFirstRow, long nHeight)
{
    if (nObject >= m_tables.size() || !m_tables[nObject])
        return 0;
    CQLNTextObjClient& table = *m_tables[nObject];
    std::wstring why;
    VARIANT height, fit;
    V_VT(&height) = VT_I4;
    V_I4(&height) = nHeight;
    ::VariantInit(&fit);
    const bool ok = SetRows(nObject, nFirstRow, 0, why) && table.SetZoom(Zoom(), why) &&
                    table.CallMethod(L"RowsThatFit", {height}, &fit, why) &&
                    SUCCEEDED(::VariantChangeType(&fit, &fit, 0, VT_I4));
    // Between drawings an object is at its full size.
    table.SetZoom(1.0, why);
    const long nFit = ok ? V_I4(&fit) : 0;
    ::VariantClear(&fit);
    return nFit;
}

std::unique_ptr<CQLNObjectPicture> CQLNTableContinuation::Record(const CQLNPageFlow::Part& part, std::wstring& error)
{
    std::unique_ptr<CQLNObjectPicture> picture;
    if (part.nRowCount == 0 || part.nObject >= m_tables.size() || !m_tables[part.nObject])
        return picture;
    if (!SetRows(part.nObject, part.nFirstRow, part.nRowCount, error))
        return picture;
    picture = std::make_unique<CQLNObjectPicture>(
        SIZE{part.rcPlace.right - part.rcPlace.left, part.rcPlace.bottom - part.rcPlace.top});
    if (!picture->Record(*m_page.Objects()[part.nObject].Get(), error))
        picture.reset();
    return picture;
}

bool CQLNTableContinuation::Show(const CQLNPageFlow::Part& part, HDC hdc, const RECT& rc, std::wstring& error)
{
    const CQLNPageObject& object = *m_page.Objects()[part.nObject].Get();
    if (part.nRowCount == 0 || part.nObject >= m_tables.size() || !m_tables[part.nObject])
        return object.Show(hdc, rc, error);
    const std::unique_ptr<CQLNObjectPicture> picture = Record(part, error);
    return picture && picture->Show(object, hdc, rc, object.Resolution().Replacement(), error);
}
