#include "SingleInstance.h"

bool ClaimSingleInstance(const char* name, fw::ScopedHandle& held) {
    held.reset(::CreateSemaphoreA(nullptr, 1, 1, name));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        held.reset();
        ActivateInstanceWindow(name);
        return false;
    }
    return true;
}

void ActivateInstanceWindow(const char* name) {
    // Walk the top-level windows one after the other from the desktop's first child.
    HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    while (::IsWindow(window)) {
        if (::GetPropA(window, name)) {
            // Asynchronously: the running updater may be busy (waiting for the
            // launcher to end) and must not keep this one waiting for an answer.
            if (::IsIconic(window)) ::ShowWindowAsync(window, SW_RESTORE);
            ::SetForegroundWindow(window);
            ::SetForegroundWindow(::GetLastActivePopup(window));
            return;
        }
        window = ::GetWindow(window, GW_HWNDNEXT);
    }
}
