// Size rules of a skinned frame: the smallest window that still shows every
// corner and band, enforced while the user drags an edge, and the back buffer
// that the skinned paint composes into.
#pragma once

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// The edge being dragged (WM_SIZING's wParam; the window system's values).
enum SizingEdge : int {
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 3,
    kEdgeTopLeft = 4,
    kEdgeTopRight = 5,
    kEdgeBottom = 6,
    kEdgeBottomLeft = 7,
    kEdgeBottomRight = 8,
};

// Width: the wider of the two corner pairs, so both pairs fit side by side.
// Height: both bands plus 30 pixels of body.
Size MinimumTrackSize(const FrameMetrics& metrics);

// The proposed window rectangle of a WM_SIZING made at least `minimum` big by
// moving only the edge the user drags: dragging a left edge moves left, a
// right edge moves right, a top edge moves top, a bottom edge moves bottom.
// The opposite edge stays put so the window does not jump. An edge value
// outside 1 … 8 changes nothing.
Rect ClampSizingRect(int edge, Rect proposed, Size minimum);

// What an off-screen buffer becomes when its window may have grown (the
// frame's WM_SIZE and Relayout, a label's attach and WM_SIZE). wanted: the
// client size; held: the buffer's current size, 0 × 0 when there is none.
struct BackBufferChange {
    bool replace = false;  // delete the held bitmap and create one of `size`
    Size size;             // the buffer's size afterwards
};

// A buffer that covers the wanted size in both directions is kept. Otherwise
// the new one takes the larger of held and wanted in each direction, so the
// buffer never shrinks: a window that alternates between wide-and-low and
// narrow-and-high stops reallocating after the first round. A wanted size
// with a dimension <= 0 (a minimised or collapsed window) never replaces.
BackBufferChange GrowBackBuffer(Size held, Size wanted);

}  // namespace skin
}  // namespace vantor
