// CWndHook: takes over an existing window's window procedure and hands every
// message to a virtual WindowProc. The object is found again through a window
// property, so one static procedure serves every skinned window.
#pragma once

#include <windows.h>

class CWndHook {
public:
    CWndHook() = default;
    virtual ~CWndHook() { Detach(); }
    CWndHook(const CWndHook&) = delete;
    CWndHook& operator=(const CWndHook&) = delete;

    // Detaches first. Refused (false, nothing changed) when the window is
    // already hooked by any object: the second hook would find itself as the
    // previous procedure and call itself without end.
    bool Attach(HWND hwnd);
    // Gives the window its previous procedure back; nothing when detached.
    WNDPROC Detach();
    HWND GetHookedWindow() const { return m_hWnd; }
    // The hooked window's client size (zero when detached).
    SIZE HookedClientSize() const;
    // Invalidates the hooked window without erasing and paints it at once.
    void RepaintNow() const;

    // The window property that leads from a window to its hook.
    static const char* const kPropertyName;

protected:
    // The base passes everything to the previous procedure.
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WndHookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnPrevious = nullptr;
    const char* m_pszProperty = nullptr;
    HWND m_hWnd = nullptr;
};
