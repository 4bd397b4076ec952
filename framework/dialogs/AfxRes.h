// Identifiers of the framework's own resources (QLNAfx.rc) and of its standard commands.
#pragma once

// The command a property sheet's Help button sends to the page on show.
#define ID_HELP 0xE146

// What an error reports when it has no message of its own.
#define AFX_IDP_NO_ERROR_AVAILABLE 0xF108

// Messages of dialog data exchange: a text that is not a number of the field's type, or one
// outside the field's range or length. %1 and %2 stand for the bounds.
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117
