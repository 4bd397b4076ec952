// A page shown with a report's data: every object resolved with it and drawn with its values
// while the page stays a template, so that a save writes the template and nothing is marked
// changed. Objects inserted meanwhile, and a page opened meanwhile, are resolved as they come;
// the end of the preview takes every object back to its template.
#pragma once
#include "CQLNReportResolver.h"

#include <memory>
#include <string>

class CQLNPageObject;
class CQLNReportPage;

class CQLNPagePreview
{
public:
    bool Start(CQLNReportPage& page, const CQLNReportResolver& resolver, const std::wstring& dataPath,
               std::wstring& error);
    bool End(CQLNReportPage& page, std::wstring& error);
    bool IsOn() const { return m_resolver != nullptr; }
    // Resolves a page or an object that joins the preview; nothing while there is none.
    bool Resolve(CQLNReportPage& page, std::wstring& error) const;
    bool Resolve(CQLNPageObject& object, std::wstring& error) const;
    // The data file's name without its folder, as a title shows it.
    std::wstring DataName() const;

private:
    std::unique_ptr<CQLNReportResolver> m_resolver;
    std::wstring m_strDataPath;
};
