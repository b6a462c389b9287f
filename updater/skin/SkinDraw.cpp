#include "skin/SkinDraw.h"

void SkinFillRect(HDC dc, int x, int y, int cx, int cy, COLORREF colour) {
    ::SetBkColor(dc, colour);
    RECT rect{x, y, x + cx, y + cy};
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void SkinDrawFrameRect(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
    SkinFillRect(dc, x, y, cx - 1, 1, topLeft);
    SkinFillRect(dc, x, y, 1, cy - 1, topLeft);
    // Negative extents: the opaque rectangle is ordered, so these are the
    // last column and the last row.
    SkinFillRect(dc, x + cx, y, -1, cy, bottomRight);
    SkinFillRect(dc, x, y + cy, cx, -1, bottomRight);
}
