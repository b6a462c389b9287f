// A memory DC holding a width x height 32-bit bitmap filled with one colour,
// for the Win32 tests that paint and read pixels back.
#pragma once

#include <windows.h>

#include "framework/Gdi.h"

namespace wintest {

// A width x height 32-bit DIB section, top-down (row 0 first); its pixels in
// *bits. Null when it cannot be made; the caller owns the bitmap.
HBITMAP CreateTopDownBitmap(int width, int height, void** bits);

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return m_dc.get(); }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc.get(), x, y); }

private:
    fw::CDC m_dc;
    fw::ScopedGdiObject<HBITMAP> m_bitmap;
    HGDIOBJ m_previous = nullptr;
};

}  // namespace wintest
