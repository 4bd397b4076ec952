#pragma once

#define IDD_HOST_PAGE 100
#define IDD_OLE_PAGE 101
#define IDD_HOSTED 102
#define IDC_PUSH 1001
#define IDC_TICK 1002
#define IDC_WORDS 1003
#define IDC_CHOICE 1004

#define IDS_HOST_SHEET 200
#define IDS_HOST_PAGE 201
