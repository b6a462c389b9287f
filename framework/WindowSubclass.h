// Takes over the window procedure of a window another class made (a dialog's
// control), so that an object sees the control's own messages first, such as
// its background erase and its scrolling. Built on the common controls'
// subclass chain, so several takers of one window do not undo each other.
#pragma once

#include <windows.h>

namespace fw {

class CWindowSubclass {
public:
    CWindowSubclass() = default;
    // Gives the window back to its own procedure when the window outlives the object.
    virtual ~CWindowSubclass() { Unsubclass(); }
    CWindowSubclass(const CWindowSubclass&) = delete;
    CWindowSubclass& operator=(const CWindowSubclass&) = delete;

    // False for no window, or when this object already holds one.
    bool Subclass(HWND hwnd);
    void Unsubclass();
    HWND GetSubclassedHwnd() const { return m_hSubclassed; }

protected:
    // Answers one message of the window; the default lets the window's own
    // procedure answer it. The object lets go of the window after WM_NCDESTROY.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR object);

    HWND m_hSubclassed = nullptr;
};

}  // namespace fw
