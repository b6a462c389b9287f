// What a point of a skinned window is to the window manager: one of eight
// sizing zones (resizable windows only), the caption strip by which the window
// is dragged, or neither, in which case the window's own procedure answers.
#pragma once

#include <array>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// Hit-test codes; the values are the window system's, so the frame returns
// them as they are.
enum HitCode : int {
    kHitPassOn = 0,  // not the frame's: ask the previous window procedure
    kHitCaption = 2,
    kHitLeft = 10,
    kHitRight = 11,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitBottom = 15,
    kHitBottomLeft = 16,
    kHitBottomRight = 17,
};

// Thickness of the sizing zones and the inset of the caption strip.
constexpr int kSizingBorder = 8;

// One sizing zone with inclusive bounds: a point is in it when
// bounds.left <= x <= bounds.right and bounds.top <= y <= bounds.bottom.
struct SizingZone {
    HitCode code = kHitPassOn;
    Rect bounds;
};

// The eight zones for a client size, in test order (corners before the sides
// they touch, so a corner wins where zones overlap). The first match counts.
std::array<SizingZone, 8> SizingZonesFor(Size client);

// point: in client coordinates. The frame converts the screen position first,
// reading lParam's words as signed: a monitor left of or above the primary one
// has negative screen coordinates.
// A resizable window (thick frame style) tests the sizing zones first; every
// window then has the caption strip x in 8 … W − 8, y in 8 … captionHeight,
// bounds inclusive. A window without the thick frame never reports a zone.
HitCode HitTestFrame(Point point, Size client, int captionHeight, bool resizable);

}  // namespace skin
}  // namespace vantor
