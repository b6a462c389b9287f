#include "Canvas.h"

namespace wintest {

HBITMAP CreateTopDownBitmap(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

Canvas::Canvas(int width, int height, COLORREF fill) {
    fw::ScopedWindowDC screen(nullptr);
    m_dc.CreateCompatibleDC(screen.get());
    void* bits = nullptr;
    m_bitmap.reset(CreateTopDownBitmap(width, height, &bits));
    m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    fw::ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    ::FillRect(m_dc.get(), &all, brush.get());
}

Canvas::~Canvas() {
    if (m_previous) ::SelectObject(m_dc.get(), m_previous);
}

}  // namespace wintest
