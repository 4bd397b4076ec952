// Entry of a report object's class into one of the six report-object component categories,
// called from the report object's DllRegisterServer.
#pragma once
#include "QLNBaseExport.h"

// Indexes of the categories, in the order of their table.
enum QLNReportCategory : int
{
    QLN_CATEGORY_REPORT_OBJECTS = 0,
    QLN_CATEGORY_TEXT_OBJECTS = 1,
    QLN_CATEGORY_REPEATING_SECTION = 2,
    QLN_CATEGORY_TABLE_OBJECTS = 3,
    QLN_CATEGORY_GRAPHICAL_TABLE_OBJECTS = 4,
    QLN_CATEGORY_GRAPHICAL_OBJECTS = 5,
};

// Registers all six categories (again, if they exist) and, when categoryIndex is 0 to 5, enters
// classId into exactly that one. Any other index registers no class and still succeeds, which
// lets a caller refresh the categories alone. Returns 1 on success, 0 on failure; the failing
// stage goes to the debug trace only, since this runs under regsvr32 where nobody reads a box.
QLN_BASE_EXTERN_C int fnAddComponent(int categoryIndex, REFCLSID classId);
