// The list of report objects a user can insert (CQLNReportClasses), one of which the user chooses.
#pragma once
#include "CQLNReportClasses.h"

class CQLNInsertDialog
{
public:
    // Shows the list; true with the chosen class when the user chose one.
    static bool Choose(HWND hOwner, CLSID& clsid);
};
