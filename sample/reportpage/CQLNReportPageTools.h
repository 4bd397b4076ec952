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
    // One line per object (its number, class, place and size in millimetres) and, for objects
    // that hand out lines of text, those lines indented below it, resolved when the page is.
    static std::wstring List(const CQLNReportPage& page);
    // The page as the window shows it at the zoom, without selection.
    static bool WritePng(const CQLNReportPage& page, int nZoom, const std::wstring& path, std::wstring& error);
};
