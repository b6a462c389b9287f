#include "controls_test_support.h"

namespace controlstest {

Canvas::Canvas(int width, int height, COLORREF fill) {
    fw::ScopedWindowDC screen(nullptr);
    m_dc.CreateCompatibleDC(screen.get());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
    fw::ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    ::FillRect(m_dc.get(), &all, brush.get());
}

Canvas::~Canvas() { ::SelectObject(m_dc.get(), m_previous); }

namespace {
COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    fw::ScopedWindowDC screen(nullptr);
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(screen.get()));
    fw::ScopedSelectObject selection(memory.get(), bitmap);
    return ::GetPixel(memory.get(), x, y);
}
}  // namespace

COLORREF ResourcePixel(UINT id, int x, int y) { return ResourcePixel(MAKEINTRESOURCEA(id), x, y); }

COLORREF ResourcePixel(const char* name, int x, int y) {
    fw::CBitmap bitmap;
    if (!bitmap.LoadBitmap(::GetModuleHandleA(nullptr), name)) return CLR_INVALID;
    return PixelOf(bitmap.get(), x, y);
}

bool ShowsBitmap(const Canvas& canvas, HBITMAP bitmap, int x, int y) {
    BITMAP info{};
    if (!::GetObjectA(bitmap, sizeof(info), &info)) return false;
    fw::ScopedWindowDC screen(nullptr);
    fw::ScopedMemoryDC memory(::CreateCompatibleDC(screen.get()));
    fw::ScopedSelectObject selection(memory.get(), bitmap);
    for (int row = 0; row < info.bmHeight; ++row)
        for (int column = 0; column < info.bmWidth; ++column)
            if (canvas.At(x + column, y + row) != ::GetPixel(memory.get(), column, row)) return false;
    return true;
}

}  // namespace controlstest
