// The outline of a skin corner. Pixels of one key colour lie outside the
// window; the corner's outline runs down the left-most and back up the
// right-most non-key pixel of each scanned row. The window class turns the
// points into a region (a polygon path) once per skin and corner.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// What a pixel read outside the bitmap gives (the platform's invalid colour).
// It never equals a key colour, so such pixels count as part of the window.
constexpr uint32_t kInvalidColour = 0xFFFFFFFFu;

// The skin as the tracer sees it: its size and a reader of colours in the
// platform's 0x00BBGGRR form. The reader is only called for 0 <= x < width,
// 0 <= y < height.
struct PixelGrid {
    int width = 0;
    int height = 0;
    std::function<uint32_t(int x, int y)> pixel;
};

// The grid's colour at (x, y); kInvalidColour outside it.
uint32_t ReadPixel(const PixelGrid& grid, int x, int y);

enum class Corner { kTopLeft, kTopRight, kBottomLeft, kBottomRight };

// Which part of the skin a corner's trace scans: columns x0 … x0 + lastColumn
// and rows y0 … y0 + lastRow, both inclusive.
struct CornerScan {
    // False for a corner whose width or band height is not above 0: it has no
    // region and is left out of the window's shape.
    bool traced = false;
    int x0 = 0;
    int y0 = 0;
    int lastColumn = 0;
    int lastRow = 0;
};

// Every corner takes one row more than its band height (for the bottom
// corners the row below the bitmap, which reads as inside and gives them a
// full-width bottom edge); the right-hand corners take one column more, on
// their left. Traced in the order of the enum.
CornerScan CornerScanFor(Corner corner, const FrameMetrics& metrics, Size skin);

// The polygon of one corner in local coordinates ((0, 0) is the scan's first
// pixel, (x0, y0) in the skin). First the left outline, rows 0 … lastRow, then
// the right outline, rows lastRow … 0; each row adds the column of its first
// non-key pixel from that side. A row that is all key colour adds nothing (a
// gap: the polygon joins the rows above and below it); notches inside a row
// are not represented. An all-key scan gives no points at all; the platform
// then makes no region of it and the frame reports the corner as failed.
std::vector<Point> TraceCornerOutline(const PixelGrid& grid, int x0, int y0, int lastColumn, int lastRow,
                                      uint32_t key);

}  // namespace skin
}  // namespace vantor
