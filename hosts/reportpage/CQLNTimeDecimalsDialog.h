// Page > Time decimals...: the number of decimals a page gives its time values, typed into a
// small dialog that shows the page's number and takes 0 to the most a page holds.
#pragma once
#include <windows.h>

class CQLNTimeDecimalsDialog
{
public:
    // True with the number typed when the user chose OK; a number out of range is refused with
    // a message, and the dialog stays.
    static bool Ask(HWND hOwner, long& nDecimals);
};
