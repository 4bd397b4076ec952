#include "CQLNPagePreview.h"

#include "CQLNPageObject.h"
#include "CQLNReportPage.h"
#include "CQLNReportPageTools.h"

bool CQLNPagePreview::Start(CQLNReportPage& page, const CQLNReportResolver& resolver, const std::wstring& dataPath,
                            std::wstring& error)
{
    std::vector<Result> results(1);
    results[0].resolver = resolver;
    results[0].path = dataPath;
    return Start(page, std::move(results), error);
}

bool CQLNPagePreview::Start(CQLNReportPage& page, std::vector<Result> results, std::wstring& error)
{
    m_results = std::move(results);
    m_nShown = 0;
    if (Resolve(page, error))
        return true;
    std::wstring why;
    End(page, why);
    return false;
}

bool CQLNPagePreview::End(CQLNReportPage& page, std::wstring& error)
{
    m_results.clear();
    m_nShown = 0;
    return CQLNReportPageTools::EndResolution(page, error);
}

bool CQLNPagePreview::Show(CQLNReportPage& page, size_t n, std::wstring& error)
{
    if (n >= m_results.size())
        return false;
    const size_t nBefore = m_nShown;
    m_nShown = n;
    if (Resolve(page, error))
        return true;
    // The page is left as the result before showed it, rather than half of each.
    m_nShown = nBefore;
    std::wstring why;
    Resolve(page, why);
    return false;
}

bool CQLNPagePreview::Resolve(CQLNReportPage& page, std::wstring& error) const
{
    return !IsOn() || CQLNReportPageTools::Resolve(page, m_results[m_nShown].resolver, error);
}

bool CQLNPagePreview::Resolve(CQLNPageObject& object, std::wstring& error) const
{
    return !IsOn() || object.Resolve(m_results[m_nShown].resolver, error);
}

std::wstring CQLNPagePreview::DataName() const
{
    if (!IsOn())
        return std::wstring();
    const std::wstring& path = m_results[m_nShown].path;
    return path.substr(path.find_last_of(L"\\/") + 1);
}
