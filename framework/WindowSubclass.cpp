#include "WindowSubclass.h"

#include <commctrl.h>

namespace fw {

bool CWindowSubclass::Subclass(HWND hwnd) {
    if (!hwnd || m_hSubclassed) return false;
    // The object's address is both the subclass's identifier (so that two
    // objects on one window stay apart) and the data it hands the procedure.
    const auto self = reinterpret_cast<DWORD_PTR>(this);
    if (!::SetWindowSubclass(hwnd, &CWindowSubclass::Procedure, self, self))
        return false;
    m_hSubclassed = hwnd;
    return true;
}

void CWindowSubclass::Unsubclass() {
    if (!m_hSubclassed) return;
    ::RemoveWindowSubclass(m_hSubclassed, &CWindowSubclass::Procedure, reinterpret_cast<UINT_PTR>(this));
    m_hSubclassed = nullptr;
}

LRESULT CWindowSubclass::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CWindowSubclass::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) const {
    return ::DefSubclassProc(m_hSubclassed, msg, wParam, lParam);
}

LRESULT CALLBACK CWindowSubclass::Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR object) {
    auto* self = reinterpret_cast<CWindowSubclass*>(object);
    if (msg != WM_NCDESTROY) return self->WindowProc(msg, wParam, lParam);
    LRESULT result = self->WindowProc(msg, wParam, lParam);
    // The window is going: the object no longer refers to it.
    ::RemoveWindowSubclass(hwnd, &CWindowSubclass::Procedure, id);
    self->m_hSubclassed = nullptr;
    return result;
}

}  // namespace fw
