#include "BitmapButton.h"

bool CBitmapButton::LoadBitmaps(const char* normal, const char* pressed, const char* focused, const char* disabled) {
    m_normal.DeleteObject();
    m_pressed.DeleteObject();
    m_focused.DeleteObject();
    m_disabled.DeleteObject();
    HINSTANCE module = ::GetModuleHandleA(nullptr);
    if (!m_normal.LoadBitmap(module, normal)) return false;
    bool ok = true;
    if (pressed && !m_pressed.LoadBitmap(module, pressed)) ok = false;
    if (focused) m_focused.LoadBitmap(module, focused);
    if (disabled) m_disabled.LoadBitmap(module, disabled);
    return ok;
}

void CBitmapButton::SizeToContent() const {
    if (!m_normal) return;
    SIZE size = m_normal.GetSize();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const fw::CBitmap* bitmap = &m_normal;
    if ((item.itemState & ODS_SELECTED) && m_pressed)
        bitmap = &m_pressed;
    else if ((item.itemState & ODS_FOCUS) && m_focused)
        bitmap = &m_focused;
    else if ((item.itemState & ODS_DISABLED) && m_disabled)
        bitmap = &m_disabled;
    if (*bitmap) fw::DrawBitmap(item.hDC, bitmap->get(), item.rcItem.left, item.rcItem.top);
}
