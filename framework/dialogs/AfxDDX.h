// Dialog data exchange: members to controls (loading) and back with validation (saving).
//
// Each DDX_ function exchanges one member with one control of the dialog; each DDV_ function
// checks the member just exchanged while saving. A text that is not a number of the member's
// type, or one outside the range or length, shows the framework's message and fails the
// exchange (CDataExchange::Fail), which leaves the user on the offending control.
#pragma once
#include "CDataExchange.h"
#include "CString.h"

class CWnd;

// Numbers are written in the C locale; reals with 6 (float) or 15 (double) significant
// digits, so a value survives its round trip through the control.
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
AFX_CORE_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
AFX_CORE_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of a group (the next WS_GROUP ends it); value is the index
// of the checked one, -1 for none.
AFX_CORE_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// Loading selects the first item that begins with the value (the Exact forms: that equals it,
// ignoring case); a combo box with an edit field shows a value not in its list as its text.
// Saving reads the edit field, or the selected item (empty without a selection).
AFX_CORE_API void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_CORE_API void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);

// Attaches the control to the window object on the first exchange (SubclassWindow).
AFX_CORE_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Inclusive ranges, checked while saving.
AFX_CORE_API void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
AFX_CORE_API void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
AFX_CORE_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_CORE_API void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
AFX_CORE_API void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
AFX_CORE_API void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
AFX_CORE_API void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal);
AFX_CORE_API void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);
// Loading limits the edit control (or combo box) to nChars; saving refuses a longer value.
AFX_CORE_API void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
