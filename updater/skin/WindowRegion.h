// The shape of a skinned window: corner outlines traced from the skin, where
// pixels of the key colour lie outside the window.
#pragma once

#include <windows.h>

// Traces columns 0 … lastColumn and rows 0 … lastRow (inclusive) of the
// bitmap selected into `dc`, starting at (x0, y0), into a region whose (0, 0)
// is that first pixel. Null when nothing of the area is outside the key
// colour. The caller owns the region.
HRGN CreateCornerRegion(int x0, int y0, int lastColumn, int lastRow, COLORREF key, HDC dc);
