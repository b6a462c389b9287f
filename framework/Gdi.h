// GDI wrappers that delete their handles: bitmaps, regions, fonts and the
// device contexts of painting. Named as the programs' code expects them.
#pragma once

#include "ScopedHandles.h"

namespace fw {

// A bitmap the object owns; deleted with the object or on the next load.
class CBitmap {
public:
    CBitmap() = default;
    bool LoadBitmap(HINSTANCE module, UINT resourceId) { return LoadBitmap(module, MAKEINTRESOURCEA(resourceId)); }
    bool LoadBitmap(HINSTANCE module, const char* resourceName);
    void DeleteObject() { m_bitmap.reset(); }
    HBITMAP get() const { return m_bitmap.get(); }
    explicit operator bool() const { return m_bitmap.valid(); }
    SIZE GetSize() const;  // zero size when nothing is loaded

private:
    ScopedGdiObject<HBITMAP> m_bitmap;
};

class CRgn {
public:
    bool CreateRectRgn(int l, int t, int r, int b) { m_rgn.reset(::CreateRectRgn(l, t, r, b)); return m_rgn.valid(); }
    HRGN get() const { return m_rgn.get(); }
    HRGN Detach() { return m_rgn.release(); }  // for SetWindowRgn, which takes the region over

private:
    ScopedGdiObject<HRGN> m_rgn;
};

class CFont {
public:
    bool CreateFontIndirect(const LOGFONTA& lf) { m_font.reset(::CreateFontIndirectA(&lf)); return m_font.valid(); }
    HFONT get() const { return m_font.get(); }

private:
    ScopedGdiObject<HFONT> m_font;
};

// A memory DC the object owns (CreateCompatibleDC), deleted with the object or
// by DeleteDC. Whoever selects into it puts the old object back before the
// DC or the selected object goes (ScopedSelectObject).
class CDC {
public:
    CDC() = default;
    bool CreateCompatibleDC(HDC reference) { m_dc.reset(::CreateCompatibleDC(reference)); return m_dc.valid(); }
    void DeleteDC() { m_dc.reset(); }
    HDC get() const { return m_dc.get(); }
    explicit operator bool() const { return m_dc.valid(); }

private:
    ScopedMemoryDC m_dc;
};

// The DC of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hwnd(hwnd) { m_hdc = ::BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hwnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC get() const { return m_hdc; }
    const PAINTSTRUCT& paintStruct() const { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc = nullptr;
};

// Copies a bitmap unscaled onto a DC at (x, y) through a compatible memory DC.
bool DrawBitmap(HDC target, HBITMAP bitmap, int x, int y);

}  // namespace fw
