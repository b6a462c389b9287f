// How a skinned window's region is put together on every resize: the four
// traced corner regions moved to the window's corners, united with up to
// three rectangles (body, top band, bottom band) that cover the rest. The
// window class performs the region calls; this decides what goes where.
#pragma once

#include <array>
#include <optional>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

struct WindowShapePlan {
    // What the accumulated region starts as (before the top-left corner, if
    // traced, replaces it): the 1 × 1 pixel at the origin for a fixed window,
    // empty for a resizable one.
    Rect start;
    // Where each corner region's local (0, 0) goes, in the order top-left,
    // top-right, bottom-left, bottom-right. Only corners that were traced are
    // placed; the others are simply left out.
    std::array<Point, 4> cornerOffset;
    // Rectangles united after the corners, in this order; absent when empty
    // or inverted. The bands start one pixel inside the left corner so that
    // they overlap it.
    std::optional<Rect> body;
    std::optional<Rect> topBand;
    std::optional<Rect> bottomBand;
};

// window: the outer size (places the corners); client: the client size
// (places the rectangles); for a borderless pop-up both are the same.
// resizable: the window has the thick sizing frame; then everything is moved
// in by the frame thickness less one pixel (frameThickness: SM_CXFRAME,
// SM_CYFRAME read at start-up), so the shape sits inside the sizing border.
WindowShapePlan PlanWindowShape(const FrameMetrics& metrics, Size window, Size client, bool resizable,
                                Size frameThickness);

}  // namespace skin
}  // namespace vantor
