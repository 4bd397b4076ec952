// Resources of the report page host: its menus, the dialog that inserts an object and the one
// that takes the page's time decimals.
#pragma once

#define IDR_PAGE_MENU              100
#define IDD_INSERT_OBJECT          200
#define IDC_INSERT_CLASSES         201

#define ID_FILE_OPEN               1000
#define ID_FILE_SAVE               1001
#define ID_FILE_SAVE_AS            1002
#define ID_FILE_EXIT               1003
#define ID_EDIT_UNDO               1010
#define ID_EDIT_DELETE             1011
#define ID_OBJECT_INSERT           1020
#define ID_OBJECT_PROPERTIES       1021
#define ID_OBJECT_EDIT_IN_PLACE    1022
#define ID_PAGE_A4                 1030
#define ID_PAGE_LETTER             1031
#define ID_PAGE_PORTRAIT           1032
#define ID_PAGE_LANDSCAPE          1033
#define ID_PAGE_MARGIN_10          1034
#define ID_PAGE_MARGIN_20          1035
#define ID_PAGE_MARGIN_25          1036
#define ID_ZOOM_50                 1040
#define ID_ZOOM_75                 1041
#define ID_ZOOM_100                1042
#define ID_ZOOM_150                1043
#define ID_EDIT_REDO               1100
// Posted to itself by a page window whose file needed changes to be shown, to tell them once
// the window is up.
#define ID_PAGE_LOAD_NOTE          1101

#define IDR_PAGE_CONTEXT_MENU      1150
#define ID_FILE_NEW                1151
#define ID_FILE_PRINT              1152
#define ID_FILE_EXPORT_PDF         1153

#define ID_PAGE_TIME_DECIMALS      1250
#define IDD_TIME_DECIMALS          1251
#define IDC_TIME_DECIMALS          1252

#define ID_ZOOM_200                1044
#define ID_FILE_END_PREVIEW        1200
#define ID_FILE_PREVIEW_RESULTS    1201
