// Plain geometry of the skin library and the frame metrics every skinned
// window is cut by. No platform types: the window classes convert to and from
// RECT, POINT and SIZE at their edges.
#pragma once

namespace vantor {
namespace skin {

// Edges as the window system keeps them: right and bottom lie one past the
// last pixel. Nothing here normalises a rectangle; an inverted one (right <
// left) is kept as computed, because the callers hand such rectangles on
// unchanged (a window moved with a negative width, for instance).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size& a, const Size& b) { return a.cx == b.cx && a.cy == b.cy; }
    friend bool operator!=(const Size& a, const Size& b) { return !(a == b); }
};

// How a skin bitmap is cut: corner widths and band heights at the top and the
// bottom, edge widths at the sides. The caption strip is as high as the top
// band, so the title area is what the skin's top band shows.
struct FrameMetrics {
    int topLeftWidth = 0;
    int topRightWidth = 0;
    int topHeight = 0;
    int bottomLeftWidth = 0;
    int bottomRightWidth = 0;
    int bottomHeight = 0;
    int leftWidth = 0;
    int rightWidth = 0;
    int captionHeight = 0;
};

// The frame's six-value setter: both top corners share one width, both bottom
// corners another. The updater passes 10, 29, 2, 2, 2, 2.
inline FrameMetrics MakeFrameMetrics(int topCornerWidth, int topBandHeight, int bottomCornerWidth,
                                     int bottomBandHeight, int leftEdgeWidth, int rightEdgeWidth) {
    FrameMetrics m;
    m.topLeftWidth = m.topRightWidth = topCornerWidth;
    m.topHeight = topBandHeight;
    m.bottomLeftWidth = m.bottomRightWidth = bottomCornerWidth;
    m.bottomHeight = bottomBandHeight;
    m.leftWidth = leftEdgeWidth;
    m.rightWidth = rightEdgeWidth;
    m.captionHeight = topBandHeight;
    return m;
}

}  // namespace skin
}  // namespace vantor
