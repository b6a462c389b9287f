// Window messages that the launcher's worker threads post to the main dialog.
#pragma once

#include <windows.h>

// Posted once by the update supervisor when the update check has an answer.
#define WM_UPDATE_RESULT (WM_USER + 200)

// Posted once by the worker that waits for an unseen updater to be ready for
// input (or for its time limit); wParam: the updater's process id.
#define WM_UPDATER_READY (WM_USER + 201)
