#pragma once
// Resource identifiers of the installer window (shared with its Arabic resource module).
#define IDD_MAIN_INSTALL 100
#define IDC_BANNER 1001
#define IDC_LABEL_GUID 1002
#define IDC_GUID 1003
#define IDC_LABEL_NAME 1004
#define IDC_DISPLAY_NAME 1005
#define IDC_ADD_SHORTCUT 1006
#define IDC_SHORTCUT_NAME 1007
#define IDC_SELECT_DB 1008
#define IDC_INSTALL 1009
#define IDC_EXIT 1010
#define IDC_STATUS 1011
#define IDC_PROGRESS 1012
