// How a worker thread reports to a window: posted messages only, never a call
// into the window. Progress may be dropped when the queue is full; the final
// notification of a worker must arrive, or the window would wait for ever.
#pragma once

#include <windows.h>

#include <atomic>

namespace fw {

class CWindowNotify {
public:
    CWindowNotify() = default;
    CWindowNotify(HWND window, UINT message) : m_hWnd(window), m_nMessage(message) {}

    void SetWindow(HWND window, UINT message) { m_hWnd = window; m_nMessage = message; }
    HWND Window() const { return m_hWnd; }

    // Posts message(code, value); false when the window is gone or its queue refused it.
    bool Post(WPARAM code, LPARAM value) const;

    // Posts message(code, value) and, while the queue is full, tries again
    // until it is taken, the window is gone, or cancel becomes non-zero. A
    // queue holds at most 10,000 posted messages on Windows, so a busy window
    // can refuse a post for a moment.
    bool PostFinal(WPARAM code, LPARAM value, const std::atomic<int>* cancel = nullptr) const;

private:
    HWND m_hWnd = nullptr;
    UINT m_nMessage = 0;
};

}  // namespace fw
