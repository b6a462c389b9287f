// The two fills every skinned control draws with.
#pragma once

#include <windows.h>

// Fills (x, y, x + cx, y + cy) with one colour (an opaque empty text output,
// which needs no brush). The DC's background colour is left at `colour`.
void SkinFillRect(HDC dc, int x, int y, int cx, int cy, COLORREF colour);

// A one-pixel frame around (x, y, cx, cy): top and left lines in one colour,
// right and bottom lines in the other, the latter on the last column and row.
void SkinDrawFrameRect(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
