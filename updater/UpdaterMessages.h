// Window messages that the updater's worker threads post to its dialog.
#pragma once

#include <windows.h>

// The download worker's reports; the code travels in wParam.
#define WM_UPDATE_NOTIFY (WM_USER + 120)
enum UpdateNotifyCode {
    UPDATE_PROGRESS = 1,  // lParam: percentage 0-100, posted only when it changed
    UPDATE_DONE = 2,      // the package is complete and its file closed
    UPDATE_FAILED = 3,    // the download failed; no partial file is left. lParam: an UpdateFailure
};
// Why a download failed: the dialog tells the player of those that need it.
enum UpdateFailure {
    FAILED_QUIETLY = 0,         // the network or the server: the next start of the launcher tries again
    FAILED_FILE_NOT_CREATED = 1,  // the package file could not be created in the Update folder
    FAILED_NOT_SIGNED = 2,      // no signature of the operator verifies: damaged, or not the operator's
};

// The resolve worker's answer: lParam is a heap std::string* with the final
// address, which the dialog takes over (and deletes). Posted only; when the
// dialog is already gone the worker deletes the text itself.
#define WM_URL_RESOLVED (WM_USER + 121)
