// Reading a number that the user typed (a decimal setting, a bound).
#pragma once
#include "QLNBaseExport.h"

// Non-zero when the whole text, blanks and tabs around it aside, is one finite number, always
// written with "." as decimal separator whatever the host's locale. dValue receives what was
// converted even when the result is zero; a zero counts only when written starting with the
// digit "0" (so "-0" and ".0" are not numbers). A null text is no number.
QLN_BASE_EXTERN_C BOOL QLNConvertStringToDouble(LPCTSTR lpszText, double& dValue);
