// The report objects registered on this computer: every class in one of the six report-object
// component categories, as the system's category manager reports them, so that a new report
// object is known once it has registered itself. The page creates these classes and no others:
// a page file may name any class at all, and a class outside the categories is not started for it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CQLNReportClasses
{
public:
    struct Entry
    {
        CLSID clsid;
        std::wstring name;       // the class's user type, else its ProgID
        std::wstring category;   // the category's description
    };
    enum class Standing
    {
        ReportObject,    // in a report-object category
        NotReportObject, // registered, but in none of them
        NotRegistered,   // not on this computer at all
    };

    // In the order of the categories, each class once (under the first category it is in).
    static std::vector<Entry> All();
    static Standing Of(const CLSID& clsid);
    // Why an object of the class is not made, as it follows "is": "not a report object".
    static std::wstring Why(Standing standing);
};
