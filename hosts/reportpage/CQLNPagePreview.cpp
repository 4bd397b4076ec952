#include "CQLNPagePreview.h"

#include "CQLNPageObject.h"
#include "CQLNReportPage.h"
#include "CQLNReportPageTools.h"

bool CQLNPagePreview::Start(CQLNReportPage& page, const CQLNReportResolver& resolver, const std::wstring& dataPath,
                            std::wstring& error)
{
    m_resolver = std::make_unique<CQLNReportResolver>(resolver);
    m_strDataPath = dataPath;
    if (Resolve(page, error))
        return true;
    std::wstring why;
    End(page, why);
    return false;
}

bool CQLNPagePreview::End(CQLNReportPage& page, std::wstring& error)
{
    m_resolver.reset();
    m_strDataPath.clear();
    return CQLNReportPageTools::EndResolution(page, error);
}

bool CQLNPagePreview::Resolve(CQLNReportPage& page, std::wstring& error) const
{
    return m_resolver == nullptr || CQLNReportPageTools::Resolve(page, *m_resolver, error);
}

bool CQLNPagePreview::Resolve(CQLNPageObject& object, std::wstring& error) const
{
    return m_resolver == nullptr || object.Resolve(*m_resolver, error);
}

std::wstring CQLNPagePreview::DataName() const
{
    return m_strDataPath.substr(m_strDataPath.find_last_of(L"\\/") + 1);
}
