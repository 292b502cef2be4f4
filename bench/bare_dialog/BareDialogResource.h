#pragma once
#define IDD_BARE_DIALOG 100
#define IDC_BARE_TEXT 101
#define IDC_BARE_PROGRESS 102
