// A table (an object that hands out columns) resolved the way a report resolves it: row by row,
// each column's value item with that row's data. The table is handed the rows to draw.
#pragma once
#include <string>
#include <vector>

class CQLNReportResolver;
class CQLNTextObjClient;

class CQLNTableResolution
{
public:
    static bool IsTable(CQLNTextObjClient& control);
    // Gives the table the data's rows; columns are the columns' shown texts and rows the rows
    // handed over, a row a line and cells separated by tabs.
    static bool Resolve(CQLNTextObjClient& control, const CQLNReportResolver& resolver,
                        std::vector<std::wstring>& columns, std::wstring& rows, std::wstring& error);
};
