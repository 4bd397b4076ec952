// Resource identifiers of QLNBase.dll.
#pragma once

// Strings
#define IDS_QLN_FONT_BUTTON            2500
#define IDS_QLN_TABLE_TITLE_FONT       2501
#define IDS_QLN_TABLE_TITLE_SAMPLE     2502
#define IDS_QLN_TABLE_HEADING_FONT     2503
#define IDS_QLN_TABLE_HEADING_SAMPLE   2504
#define IDS_QLN_TABLE_CELL_FONT        2505
#define IDS_QLN_TABLE_CELL_SAMPLE      2506
#define IDS_QLN_TEXT_TITLE_FONT        2507
#define IDS_QLN_TEXT_TITLE_SAMPLE      2508
#define IDS_QLN_TEXT_HEADING_FONT      2509
#define IDS_QLN_TEXT_HEADING_SAMPLE    2510
#define IDS_QLN_TEXT_PROMPT_FONT       2511
#define IDS_QLN_TEXT_PROMPT_SAMPLE     2512
#define IDS_QLN_TEXT_VALUE_FONT        2513
#define IDS_QLN_TEXT_VALUE_SAMPLE      2514
#define IDS_QLN_ANNOTATION_PAGE        2515
#define IDS_QLN_TEXT_PAGE              2516
#define IDS_QLN_TABLE_PAGE             2517
#define IDS_QLN_MORE                   2518
#define IDS_QLN_USER_TEXT_DESCRIPTION  2519
#define IDS_QLN_HEADING_DESCRIPTION    2520
#define IDS_QLN_BLANK_LINE_DESCRIPTION 2521
#define IDS_QLN_BLANK_LINE_ROW         2522
#define IDS_QLN_USER_TEXT_ROW_SELECTED 2523
#define IDS_QLN_USER_TEXT_ROW          2524
#define IDS_QLN_DATA_PAGE              2525
#define IDS_QLN_USER_TEXT_CAPTION      2526
#define IDS_QLN_DATA_LABEL_CAPTION     2527
#define IDS_QLN_ATTRIBUTES_PAGE        2529
#define IDS_QLN_FONT_PAGE              2530
#define IDS_QLN_DECIMAL_RANGE          2531
#define IDS_QLN_DECIMAL_RANGE_CAPTION  2532
#define IDS_QLN_NO_HELP_VIEWER         2533
#define IDS_QLN_NO_SUCH_FACE           2534

// The text object's data selection page and layout attribute page
#define IDD_QLN_TEXT_DATA_SELECT       11019
#define IDC_QLN_DATA_TITLE_CAPTION     11005
#define IDC_QLN_DATA_INCLUDE_TITLE     11020
#define IDC_QLN_DATA_TITLE             11022
#define IDC_QLN_DATA_AVAILABLE         11023
#define IDC_QLN_DATA_ADD               11024
#define IDC_QLN_DATA_ADD_ALL           11025
#define IDC_QLN_DATA_REMOVE            11026
#define IDC_QLN_DATA_REMOVE_ALL        11027
#define IDC_QLN_DATA_SELECTED          11028
#define IDC_QLN_DATA_MOVE_UP           11029
#define IDC_QLN_DATA_MOVE_DOWN         11030
#define IDC_QLN_DATA_AVAILABLE_DESC    11031
#define IDC_QLN_DATA_SELECTED_DESC     11032
#define IDC_QLN_DATA_LABEL_CAPTION     11033
#define IDC_QLN_DATA_LABEL             11034
#define IDC_QLN_DATA_DECIMAL_CAPTION   11035
#define IDC_QLN_DATA_DECIMAL           11036
#define IDD_QLN_TEXT_DATA_ATTRIBUTE    11037
#define IDC_QLN_COLUMNS_1              11038
#define IDC_QLN_COLUMNS_2              11039
#define IDC_QLN_COLUMNS_3              11040
#define IDC_QLN_HORIZONTAL_SPACING     11041
#define IDC_QLN_INCLUDE_DATA_LABEL     11042
#define IDC_QLN_LABEL_SPACING          11043
#define IDC_QLN_VERTICAL_SPACING       11044
#define IDC_QLN_SPACING_SINGLE         11045
#define IDC_QLN_SPACING_ONE_AND_HALF   11046
#define IDC_QLN_SPACING_DOUBLE         11047

// The font dialog and its colour box
#define IDC_QLN_STRIKEOUT              11000
#define IDC_QLN_UNDERLINE              11001
#define IDC_QLN_COLOR                  11003
#define IDC_QLN_SAMPLE                 11007
#define IDC_QLN_FACE                   11008
#define IDC_QLN_STYLE                  11009
#define IDC_QLN_SIZE                   11010
// The modal dialog's Help button; not the system's IDHELP (9).
#define IDC_QLN_FONT_HELP              3
#define IDD_QLN_FONT_DIALOG_CHILD      11011
#define IDD_QLN_FONT_DIALOG            11012
#define IDD_QLN_FONT_DIALOG_OLE        11017

// Font control and font pages
#define IDD_QLN_FONT_CTRL              11013
#define IDD_QLN_ANNOTATION_FONT_PAGE   11014
#define IDD_QLN_TABLE_FONT_PAGE        11015
#define IDD_QLN_FONT_CTRL_OLE          11016
#define IDD_QLN_TEXT_FONT_PAGE         11018
#define IDC_QLN_FONT_CTRL_BUTTON       11004
// Where the font controls of the text and table pages go: empty group boxes.
#define IDC_QLN_TITLE_FONT_BOX         11005
#define IDC_QLN_HEADING_FONT_BOX       11006
#define IDC_QLN_CELL_FONT_BOX          11007
#define IDC_QLN_VALUE_FONT_BOX         11008
#define IDC_QLN_PROMPT_FONT_BOX        11009
