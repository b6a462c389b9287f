#include "skin/logic/Anchor.h"

namespace vantor {
namespace skin {

namespace {

// The stored offset of a subtracting rule; wraps for the most negative value
// instead of being undefined.
int32_t Negated(int v) { return static_cast<int32_t>(0u - static_cast<uint32_t>(v)); }

}  // namespace

AnchorRules AnchorTopLeft(int x, int y, int width, int height) {
    return {{{kAnchorLeft, x, kAbsoluteX},
             {kAnchorTop, y, kAbsoluteY},
             {kAnchorRight, width, kFromLeft},
             {kAnchorBottom, height, kFromTop}}};
}

AnchorRules AnchorTopRight(int distanceFromRight, int y, int width, int height) {
    return {{{kAnchorRight, Negated(distanceFromRight), kFromWidth},
             {kAnchorTop, y, kAbsoluteY},
             {kAnchorLeft, Negated(width), kFromRight},
             {kAnchorBottom, height, kFromTop}}};
}

AnchorRules AnchorBottomLeft(int x, int distanceFromBottom, int width, int height) {
    return {{{kAnchorLeft, x, kAbsoluteX},
             {kAnchorBottom, Negated(distanceFromBottom), kFromHeight},
             {kAnchorRight, width, kFromLeft},
             {kAnchorTop, Negated(height), kFromBottom}}};
}

AnchorRules AnchorBottomRight(int distanceFromRight, int distanceFromBottom, int width, int height) {
    return {{{kAnchorRight, Negated(distanceFromRight), kFromWidth},
             {kAnchorBottom, Negated(distanceFromBottom), kFromHeight},
             {kAnchorLeft, Negated(width), kFromRight},
             {kAnchorTop, Negated(height), kFromBottom}}};
}

AnchorRules AnchorBottomStretch(int x, int distanceFromBottom, int distanceFromRight, int height) {
    return {{{kAnchorLeft, x, kAbsoluteX},
             {kAnchorBottom, Negated(distanceFromBottom), kFromHeight},
             {kAnchorRight, Negated(distanceFromRight), kFromWidth},
             {kAnchorTop, Negated(height), kFromBottom}}};
}

Rect ApplyAnchorRules(const AnchorRules& rules, Size parent) {
    int32_t edges[4] = {0, 0, 0, 0};  // left, top, right, bottom
    for (const AnchorRule& rule : rules) {
        if (rule.target < kAnchorLeft || rule.target > kAnchorBottom) continue;
        uint32_t base;
        switch (rule.reference) {
            case kFromLeft: case kFromTop: case kFromRight: case kFromBottom:
                base = static_cast<uint32_t>(edges[rule.reference - kFromLeft]);
                break;
            case kAbsoluteX: case kAbsoluteY: base = 0; break;
            case kFromWidth: base = static_cast<uint32_t>(parent.cx); break;
            case kFromHeight: base = static_cast<uint32_t>(parent.cy); break;
            default: continue;
        }
        // Unsigned sum: wraps like the window system's own arithmetic instead
        // of being undefined for extreme offsets.
        edges[rule.target] = static_cast<int32_t>(base + static_cast<uint32_t>(rule.offset));
    }
    return {edges[0], edges[1], edges[2], edges[3]};
}

}  // namespace skin
}  // namespace vantor
