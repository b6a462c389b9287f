// Numeric identifiers of the updater's resources and controls.
#pragma once

#define IDD_VANTORUPDATE_DIALOG 102

#define IDR_MAINFRAME           128

// The skin: window, close button (normal and under the mouse), and the 2 x 2
// fills of the four separator bars.
#define IDB_SKIN                130
#define IDB_CLOSE               131
#define IDB_CLOSE_HOVER         132
#define IDB_BAR_BOTTOM          133
#define IDB_BAR_LEFT            134
#define IDB_BAR_RIGHT           135
#define IDB_BAR_TOP             136

#define IDC_PROGRESSBAR         1001
#define IDC_SEPARATOR1          1002
#define IDC_SEPARATOR2          1003
#define IDC_SEPARATOR3          1004
#define IDC_SEPARATOR4          1005
#define IDC_STATUSTEXT          1006
