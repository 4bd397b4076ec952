// A page shown with reports' data: every object resolved with one result's data and drawn with
// its values while the page stays a template, so that a save writes the template and nothing is
// marked changed. Several results are shown one after the other, each as the report it prints.
// Objects inserted meanwhile, and a page opened meanwhile, are resolved as they come; the end of
// the preview takes every object back to its template.
#pragma once
#include "CQLNReportResolver.h"

#include <string>
#include <vector>

class CQLNPageObject;
class CQLNReportPage;

class CQLNPagePreview
{
public:
    // The data of one report, read from the file at path.
    struct Result
    {
        CQLNReportResolver resolver;
        std::wstring path;
    };

    bool Start(CQLNReportPage& page, const CQLNReportResolver& resolver, const std::wstring& dataPath,
               std::wstring& error);
    // Shows the first of the results; none is no preview.
    bool Start(CQLNReportPage& page, std::vector<Result> results, std::wstring& error);
    bool End(CQLNReportPage& page, std::wstring& error);
    bool IsOn() const { return !m_results.empty(); }
    size_t Count() const { return m_results.size(); }
    // From 0.
    size_t Shown() const { return m_nShown; }
    // Resolves the page with result n (from 0); false, showing the one before, when there is
    // no such result or an object refuses it.
    bool Show(CQLNReportPage& page, size_t n, std::wstring& error);
    // Resolves a page or an object that joins the preview; nothing while there is none.
    bool Resolve(CQLNReportPage& page, std::wstring& error) const;
    bool Resolve(CQLNPageObject& object, std::wstring& error) const;
    // The shown result's file name without its folder, as a title shows it.
    std::wstring DataName() const;

private:
    std::vector<Result> m_results;
    size_t m_nShown = 0;
};
