#include "WindowNotify.h"

namespace fw {

bool CWindowNotify::Post(WPARAM code, LPARAM value) const {
    return m_hWnd && ::PostMessageA(m_hWnd, m_nMessage, code, value) != FALSE;
}

bool CWindowNotify::PostFinal(WPARAM code, LPARAM value, const std::atomic<int>* cancel) const {
    for (;;) {
        if (Post(code, value)) return true;
        if (!m_hWnd || !::IsWindow(m_hWnd)) return false;
        if (cancel && cancel->load() != 0) return false;
        ::Sleep(10);  // the queue is full: let the window's thread take some messages
    }
}

}  // namespace fw
