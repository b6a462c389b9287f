// Identifiers of the control tests' own dialogs and controls.
#pragma once

#define IDD_LIST_HOST     300
#define IDD_BITMAP_HOST   301
#define IDC_PLAIN_LIST    3001
#define IDC_PLAIN_STATIC  3002
