#pragma once

// A plain page: a counted edit, an excluded edit, a drop-down list, a push button and a number
// that must lie between 1 and 10.
#define IDD_CHANGES 100
#define IDC_VALUE 1001
#define IDC_NOTE 1002
#define IDC_CHOICE 1003
#define IDC_RESET 1004
#define IDC_COUNT 1005
#define IDD_OTHER 101
#define IDC_OTHER 1101

// A named-property page on the recording control.
#define IDD_RECORDED 102
#define IDC_ALPHA 1201
#define IDC_GAMMA 1202
#define IDC_BETA 1203
#define IDC_DELTA1 1204
#define IDC_DELTA2 1205
#define IDC_EPSILON 1206

// Two named-property pages on the sample text object.
#define IDD_TITLE 103
#define IDC_TITLE 1301
#define IDC_INCLUDE_TITLE 1302
#define IDC_COLUMNS1 1303
#define IDC_COLUMNS2 1304
#define IDC_COLUMNS3 1305
#define IDC_SPACING 1306
#define IDD_TITLE_LOOK 104
#define IDC_TITLE_BOLD 1401
#define IDC_TITLE_POINTS 1402
#define IDC_TITLE_COLOUR 1403

#define IDS_CHANGES 200
#define IDS_OTHER 201
#define IDS_RECORDED 202
#define IDS_TITLE 203
#define IDS_TITLE_LOOK 204
