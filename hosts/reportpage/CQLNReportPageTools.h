// What the host does with a whole page apart from showing it: objects inserted by name, data
// put into the objects' text, a listing of the objects and a picture of the page.
#pragma once
#include "CQLNReportPage.h"

#include <string>

class CQLNReportResolver;

class CQLNReportPageTools
{
public:
    // name is a ProgID or a class identifier in braces.
    static bool InsertByName(CQLNReportPage& page, CQLNPageContainer* pContainer, const std::wstring& name,
                             std::wstring& error);
    // Resolves every object with the data: a text object's values are drawn in place of its
    // value items, each number with its line's decimals; a table is given the data's rows. No
    // object's saved data changes.
    static bool Resolve(CQLNReportPage& page, const CQLNReportResolver& resolver, std::wstring& error);
    // Every object back to its template.
    static bool EndResolution(CQLNReportPage& page, std::wstring& error);
    // The page's setup, then one line per object (its number, class, place and size in
    // millimetres; for a placeholder, why it is one) and below it, indented, the lines the object
    // offers a host through its automation, whatever its kind, resolved when the page is.
    static std::wstring List(const CQLNReportPage& page);
    // The page as the window shows it at the zoom, without selection.
    static bool WritePng(const CQLNReportPage& page, int nZoom, const std::wstring& path, std::wstring& error);
};
