// Numeric identifiers of the launcher's resources and controls.
#pragma once

#define IDD_VANTORLOGIN_DIALOG  102
#define IDR_MAINFRAME           133
#define IDB_BACKGROUND          141
#define IDB_SERVERLIST          168
#define IDB_SERVERICON          171

#define IDC_EXITBUTTON          1006
#define IDC_NOTICEVIEW          1008
#define IDC_BBSBUTTON           1009
#define IDC_USERREGBUTTON       1010
#define IDC_WEBBUTTON           1011
#define IDC_BANNERVIEW          1013
#define IDC_LOGINPAGEVIEW       1020
#define IDC_VERSIONLABEL        1021
#define IDC_SKEINBUTTON         1022
#define IDC_USERNAMEEDIT        1023
#define IDC_PASSWORDEDIT        1024
#define IDC_PASSWORDLABEL       1025
#define IDC_USERNAMELABEL       1026
#define IDC_LOGINBUTTON         1027
#define IDC_STATUSLINE          1028
#define IDC_SERVERLIST          1029
