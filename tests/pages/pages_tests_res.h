#pragma once

#define IDD_ROWS 100
#define IDD_DECIMAL 101
#define IDC_DECIMAL 1001
#define IDC_OTHER 1002
#define IDC_ITEMS 1003
