// Window messages that the launcher's worker threads post to the main dialog.
#pragma once

#include <windows.h>

// Posted once by the update supervisor when the update check has an answer.
#define WM_UPDATE_RESULT (WM_USER + 200)
