#include "controls_test_support.h"

namespace controlstest {

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
