#pragma once
// Resource identifiers of the uninstaller window (shared with its Arabic resource module).
#define IDD_UNINSTALL_MAIN 200
#define IDC_BANNER 2001
#define IDC_BEVEL 2002
#define IDC_LABEL_NAME 2003
#define IDC_DISPLAY_NAME 2004
#define IDC_GUID 2005
#define IDC_REMOVE 2006
#define IDC_START 2007
#define IDC_STATUS 2008
#define IDC_PROGRESS 2009
