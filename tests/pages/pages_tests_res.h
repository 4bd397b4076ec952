#pragma once

// Two pages on the sample text object and one on a control that can refuse a value.
#define IDD_TITLE 100
#define IDC_TITLE 1001
#define IDC_NOTE 1002
#define IDC_INCLUDE_TITLE 1003
#define IDC_COLUMNS1 1004
#define IDC_COLUMNS2 1005
#define IDC_SPACING 1007
#define IDD_LOOK 101
#define IDC_BOLD 1101
#define IDC_POINTS 1102
#define IDC_COLOUR 1103
#define IDD_RECORDED 102
#define IDC_ALPHA 1201
#define IDC_GAMMA 1202
#define IDC_BETA 1203
// The item list box and the decimal edit in dialogs of their own.
#define IDD_ROWS 110
#define IDD_DECIMAL 111
#define IDC_DECIMAL 1301
#define IDC_OTHER 1302
#define IDC_ITEMS 1303
// A framework OLE page of its own controls in the system's property frame.
#define IDD_OWN_CONTROLS 120
#define IDC_WORDS 1401
#define IDC_TICK 1402
#define IDC_CHOICE 1403
#define IDC_ROWS 1404
#define IDC_PUSH 1405
#define IDS_OWN_CONTROLS 121
// The catalogue of the data selection's rules.
#define IDS_SEL_FILE 130
#define IDS_SEL_HEADING 131
#define IDS_SEL_VIAL 132
#define IDS_SEL_RT 133
#define IDS_SEL_INJVOL 134
