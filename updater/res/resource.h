// Numeric identifiers of the updater's resources and controls.
#pragma once

#define IDD_VANTORUPDATE_DIALOG 102

#define IDC_PROGRESSBAR         1001
#define IDC_SEPARATOR1          1002
#define IDC_SEPARATOR2          1003
#define IDC_SEPARATOR3          1004
#define IDC_SEPARATOR4          1005
#define IDC_STATUSTEXT          1006
