#include "skin/WndHook.h"

const char* const CWndHook::kPropertyName = "XDialogDraw_This_Ptr";

bool CWndHook::Attach(HWND hwnd) {
    Detach();
    if (!hwnd || ::GetPropA(hwnd, kPropertyName)) return false;
    if (!::SetPropA(hwnd, kPropertyName, this)) return false;
    m_hWnd = hwnd;
    m_pszProperty = kPropertyName;
    m_pfnPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWndHook::WndHookProc)));
    if (!m_pfnPrevious) {  // not subclassed: the property must not outlive the attempt
        ::RemovePropA(hwnd, kPropertyName);
        m_hWnd = nullptr;
        m_pszProperty = nullptr;
        return false;
    }
    return true;
}

WNDPROC CWndHook::Detach() {
    if (!m_hWnd) return nullptr;
    WNDPROC previous = m_pfnPrevious;
    ::RemovePropA(m_hWnd, m_pszProperty);
    if (m_pfnPrevious) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevious));
        m_pfnPrevious = nullptr;
    }
    m_hWnd = nullptr;
    m_pszProperty = nullptr;
    return previous;
}

SIZE CWndHook::HookedClientSize() const {
    RECT client{};
    if (m_hWnd) ::GetClientRect(m_hWnd, &client);
    return SIZE{client.right, client.bottom};
}

void CWndHook::RepaintNow() const {
    if (!m_hWnd) return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

LRESULT CWndHook::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(hwnd, msg, wParam, lParam);
}

LRESULT CWndHook::CallPrevious(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnPrevious) return ::CallWindowProcA(m_pfnPrevious, hwnd, msg, wParam, lParam);
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWndHook::WndHookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* hook = static_cast<CWndHook*>(::GetPropA(hwnd, kPropertyName));
    if (!hook) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    // The window's last message: hand it on, then unhook, so that no property
    // is left on a dead window and the object never acts on a reused handle.
    // What else the object holds is released by its own Detach.
    if (msg == WM_NCDESTROY) {
        LRESULT result = hook->WindowProc(hwnd, msg, wParam, lParam);
        if (hook->m_hWnd == hwnd) hook->Detach();
        return result;
    }
    return hook->WindowProc(hwnd, msg, wParam, lParam);
}
