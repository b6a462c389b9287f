// Anchored rectangles: a child keeps fixed distances to chosen edges of its
// parent's client area when the parent is resized. An item is four rules,
// each writing one edge; a later rule may build on an edge an earlier one
// wrote ("right := left + width"). The window classes keep the rules in each
// item, apply them on every resize and move the item's window to the result.
#pragma once

#include <array>
#include <cstdint>

#include "skin/logic/SkinTypes.h"

namespace vantor {
namespace skin {

// Target edges of a rule.
enum AnchorEdge : int32_t { kAnchorLeft = 0, kAnchorTop = 1, kAnchorRight = 2, kAnchorBottom = 3 };

// What a rule adds its offset to (W, H: the parent's client size).
enum AnchorReference : int32_t {
    kFromLeft = 1,    // the left edge as computed so far
    kFromTop = 2,     // the top edge as computed so far
    kFromRight = 3,   // the right edge as computed so far
    kFromBottom = 4,  // the bottom edge as computed so far
    kAbsoluteX = 5,   // the offset alone (used for x)
    kAbsoluteY = 6,   // the offset alone (used for y)
    kFromWidth = 7,   // W
    kFromHeight = 8,  // H
};

// target := reference value + offset. Subtractions are stored as negative
// offsets: right := W − distance is {kAnchorRight, −distance, kFromWidth}.
struct AnchorRule {
    int32_t target = kAnchorLeft;
    int32_t offset = 0;
    int32_t reference = kAbsoluteX;
};

using AnchorRules = std::array<AnchorRule, 4>;

// The five rule sets. Distances are measured from the parent's right or bottom
// edge; none of them is checked against the parent's size, so a parent smaller
// than the distances gives a negative or inverted rectangle, which is moved to
// as computed.
AnchorRules AnchorTopLeft(int x, int y, int width, int height);
AnchorRules AnchorTopRight(int distanceFromRight, int y, int width, int height);
AnchorRules AnchorBottomLeft(int x, int distanceFromBottom, int width, int height);
AnchorRules AnchorBottomRight(int distanceFromRight, int distanceFromBottom, int width, int height);
// Follows the parent's width: right := W − distanceFromRight.
AnchorRules AnchorBottomStretch(int x, int distanceFromBottom, int distanceFromRight, int height);

// The rectangle for a parent client size: all four edges start at 0 and the
// rules run in order. A rule with an unknown reference or target changes
// nothing. The sums wrap rather than overflow.
Rect ApplyAnchorRules(const AnchorRules& rules, Size parentClient);

}  // namespace skin
}  // namespace vantor
