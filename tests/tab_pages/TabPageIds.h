#pragma once
// Resource IDs of the page templates of the tab page tests.
#define IDD_PAGE_EDITS 101
#define IDD_PAGE_BUTTONS 102
#define IDD_PAGE_NO_STOPS 103
#define IDD_PAGE_COMBO_LAST 104
#define IDD_PAGE_EXTENDED 105
#define IDC_PAGE_FIRST 1001
#define IDC_PAGE_SECOND 1002
#define IDC_PAGE_LAST 1003
