#include "skin/logic/WindowShape.h"

namespace vantor {
namespace skin {

namespace {

Rect Shifted(Rect r, Point by) { return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

}  // namespace

WindowShapePlan PlanWindowShape(const FrameMetrics& m, Size window, Size client, bool resizable,
                                Size frameThickness) {
    const int WW = window.cx, WH = window.cy, W = client.cx, H = client.cy;
    const int TLw = m.topLeftWidth, TRw = m.topRightWidth, Th = m.topHeight;
    const int BLw = m.bottomLeftWidth, BRw = m.bottomRightWidth, Bh = m.bottomHeight;
    const Point f = resizable ? Point{frameThickness.cx - 1, frameThickness.cy - 1} : Point{0, 0};

    WindowShapePlan plan;
    plan.start = resizable ? Rect{0, 0, 0, 0} : Rect{0, 0, 1, 1};
    plan.cornerOffset = {{{f.x, f.y}, {WW - TRw - f.x, f.y}, {f.x, WH - Bh - f.y}, {WW - BRw - f.x, WH - Bh - f.y}}};
    if (W > 0 && Th < H - Bh) plan.body = Shifted({0, Th, W, H - Bh}, f);
    if (TLw < W - TRw && Th > 0) plan.topBand = Shifted({TLw - 1, 0, W - TRw, Th}, f);
    if (BLw < W - BRw && Bh > 0) plan.bottomBand = Shifted({BLw - 1, H - Bh, W - BRw, H}, f);
    return plan;
}

}  // namespace skin
}  // namespace vantor
