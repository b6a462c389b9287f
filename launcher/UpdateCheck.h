// The update check: a supervisor thread starts two workers that ask update-info
// hosts A and B at the same time, and posts WM_UPDATE_RESULT to the dialog once:
//   wParam 0, lParam 1  both workers failed
//   wParam 0, lParam 0  an update is named; UpdateCheck::UpdaterArg() holds "Url|force"
//   wParam 1, lParam 0  no update
//
// The state the threads share is reference-counted: a worker that is still
// running after the supervisor has reported (its answer no longer counts) keeps
// the state, its lock and its event alive until it ends, and never touches the
// dialog, which may be gone by then.
#pragma once

#include "framework/ScopedHandles.h"

#include <memory>
#include <string>

struct UpdateCheckState;

class UpdateCheck {
public:
    // Starts the supervisor. updateEvent is the dialog's "GET_UPDATE_INFO" event
    // (the check keeps a duplicate of its own; null works too, since the
    // supervisor also wakes when a worker thread ends). Returns false when the
    // supervisor thread could not be started.
    bool Start(HWND dialog, HANDLE updateEvent, const std::string& version);

    // The updater argument; valid once WM_UPDATE_RESULT (0, 0) has arrived.
    std::string UpdaterArg() const;

private:
    std::shared_ptr<UpdateCheckState> m_state;
    fw::ScopedHandle m_supervisor;
};
