#include "skin/logic/CornerTrace.h"

namespace vantor {
namespace skin {

uint32_t ReadPixel(const PixelGrid& grid, int x, int y) {
    if (x < 0 || y < 0 || x >= grid.width || y >= grid.height || !grid.pixel) return kInvalidColour;
    return grid.pixel(x, y);
}

CornerScan CornerScanFor(Corner corner, const FrameMetrics& m, Size skin) {
    CornerScan s;
    switch (corner) {
        case Corner::kTopLeft:
            s = {m.topLeftWidth > 0 && m.topHeight > 0, 0, 0, m.topLeftWidth - 1, m.topHeight};
            break;
        case Corner::kTopRight:
            s = {m.topRightWidth > 0 && m.topHeight > 0, skin.cx - m.topRightWidth - 1, 0, m.topRightWidth,
                 m.topHeight};
            break;
        case Corner::kBottomLeft:
            s = {m.bottomLeftWidth > 0 && m.bottomHeight > 0, 0, skin.cy - m.bottomHeight, m.bottomLeftWidth - 1,
                 m.bottomHeight};
            break;
        case Corner::kBottomRight:
            s = {m.bottomRightWidth > 0 && m.bottomHeight > 0, skin.cx - m.bottomRightWidth - 1,
                 skin.cy - m.bottomHeight, m.bottomRightWidth, m.bottomHeight};
            break;
    }
    return s;
}

std::vector<Point> TraceCornerOutline(const PixelGrid& grid, int x0, int y0, int lastColumn, int lastRow,
                                      uint32_t key) {
    std::vector<Point> points;
    if (lastColumn < 0 || lastRow < 0) return points;
    points.reserve(2 * (static_cast<size_t>(lastRow) + 1));
    for (int i = 0; i <= lastRow; ++i) {
        for (int j = 0; j <= lastColumn; ++j) {
            if (ReadPixel(grid, x0 + j, y0 + i) != key) {
                points.push_back({j, i});
                break;
            }
        }
    }
    for (int i = lastRow; i >= 0; --i) {
        for (int j = lastColumn; j >= 0; --j) {
            if (ReadPixel(grid, x0 + j, y0 + i) != key) {
                points.push_back({j, i});
                break;
            }
        }
    }
    return points;
}

}  // namespace skin
}  // namespace vantor
