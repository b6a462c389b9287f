#include "skin/logic/SizingRules.h"

#include <algorithm>

namespace vantor {
namespace skin {

Size MinimumTrackSize(const FrameMetrics& m) {
    return {std::max(m.topLeftWidth + m.topRightWidth, m.bottomLeftWidth + m.bottomRightWidth),
            m.topHeight + m.bottomHeight + 30};
}

Rect ClampSizingRect(int edge, Rect r, Size minimum) {
    if (r.right - r.left < minimum.cx) {
        if (edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft) r.left = r.right - minimum.cx;
        if (edge == kEdgeRight || edge == kEdgeTopRight || edge == kEdgeBottomRight) r.right = r.left + minimum.cx;
    }
    if (r.bottom - r.top < minimum.cy) {
        if (edge == kEdgeTop || edge == kEdgeTopLeft || edge == kEdgeTopRight) r.top = r.bottom - minimum.cy;
        if (edge == kEdgeBottom || edge == kEdgeBottomLeft || edge == kEdgeBottomRight) r.bottom = r.top + minimum.cy;
    }
    return r;
}

BackBufferChange GrowBackBuffer(Size held, Size wanted) {
    if (wanted.cx <= 0 || wanted.cy <= 0) return {false, held};
    if (held.cx >= wanted.cx && held.cy >= wanted.cy) return {false, held};
    return {true, {std::max(held.cx, wanted.cx), std::max(held.cy, wanted.cy)}};
}

}  // namespace skin
}  // namespace vantor
