// String resources of a native build, which has no resource sections: the program links one
// table of all the strings it may load, its own first and then those of the libraries it uses,
// the order in which the Windows build searches the application and the resource chain. The
// table is made from the resource scripts (cmake/RcStringTable.cmake), so each string is
// written once, in its .rc file.
#pragma once
#include "Afx.h"

struct AfxStringTableEntry
{
    UINT nID;
    const wchar_t* pszText;     // null ends the table
    int nLength;                // characters, without the terminating zero
};

// One entry of a table, its length counted by the compiler so that embedded zeros count too.
#define AFX_STRING_ENTRY(id, text) {(id), (text), static_cast<int>(sizeof(text) / sizeof(wchar_t)) - 1}

// Defined by the program; AfxFindStringResource answers from it.
extern const AfxStringTableEntry afxStringTable[];
