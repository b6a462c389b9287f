// Canvases, test skins and hidden windows for the skin library's tests.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "Canvas.h"
#include "framework/Gdi.h"

namespace skintest {

// A 32-bit top-down DIB section, each pixel coloured by `colour(x, y)`.
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int x, int y)>& colour);

using wintest::Canvas;

// What the recording windows were sent, in order.
struct Received {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Received>& Log();
// Only the messages with this identifier.
std::vector<Received> Logged(UINT msg);

// A hidden top-level pop-up whose procedure records WM_COMMAND, WM_CLOSE and
// WM_SYSCOMMAND (without acting on them) and leaves the rest to the default.
HWND MakeRecordingWindow(int width, int height, DWORD style = WS_POPUP);
// A hidden child window of a system class ("BUTTON", "STATIC").
HWND MakeChild(HWND parent, const char* windowClass, int id, int width, int height, const char* text = "");

// Destroys the window at the end of a test.
class WindowGuard {
public:
    explicit WindowGuard(HWND hwnd) : m_hwnd(hwnd) {}
    ~WindowGuard() { if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd); }
    WindowGuard(const WindowGuard&) = delete;
    WindowGuard& operator=(const WindowGuard&) = delete;
    HWND get() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

}  // namespace skintest
