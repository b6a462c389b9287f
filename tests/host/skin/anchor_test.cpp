#include "skin/logic/Anchor.h"
#include "skin/logic/CaptionRules.h"

#include <gtest/gtest.h>

#include "skin_printers.h"

namespace vantor {
namespace skin {
namespace {

// The updater's anchored items: the four separator bars close into a box under
// the caption, the close button sits in the top-right corner, the caption text
// stays put. Too small a parent gives inverted rectangles, kept as computed.
TEST(Anchor, UpdaterItemsAtThreeParentSizes) {
    const AnchorRules items[6] = {AnchorBottomStretch(25, 62, 24, 2), AnchorBottomStretch(25, 38, 24, 2),
                                  AnchorBottomLeft(23, 38, 2, 26),    AnchorBottomRight(23, 38, 2, 26),
                                  AnchorTopRight(0, 0, 30, 27),       AnchorTopLeft(15, 8, 150, 20)};
    const Rect at414x124[6] = {{25, 60, 390, 62}, {25, 84, 390, 86}, {23, 60, 25, 86},
                               {389, 60, 391, 86}, {384, 0, 414, 27}, {15, 8, 165, 28}};
    const Rect at500x202[6] = {{25, 138, 476, 140}, {25, 162, 476, 164}, {23, 138, 25, 164},
                               {475, 138, 477, 164}, {470, 0, 500, 27}, {15, 8, 165, 28}};
    const Rect at20x30[6] = {{25, -34, -4, -32}, {25, -10, -4, -8}, {23, -34, 25, -8},
                             {-5, -34, -3, -8},  {-10, 0, 20, 27},  {15, 8, 165, 28}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(at414x124[i], ApplyAnchorRules(items[i], {414, 124})) << i;
        EXPECT_EQ(at500x202[i], ApplyAnchorRules(items[i], {500, 202})) << i;
        EXPECT_EQ(at20x30[i], ApplyAnchorRules(items[i], {20, 30})) << i;
    }
}

TEST(Anchor, RulesRunInOrderUnknownOnesAreIgnoredExtremesWrap) {
    // right := left + 10 before left is set reads the starting 0.
    const AnchorRules early = {
        {{kAnchorRight, 10, kFromLeft}, {kAnchorLeft, 50, kAbsoluteX}, {kAnchorTop, 5, kAbsoluteY}, {kAnchorBottom, 1, kFromTop}}};
    EXPECT_EQ((Rect{50, 5, 10, 6}), ApplyAnchorRules(early, {100, 100}));
    const AnchorRules odd = {
        {{kAnchorLeft, 7, kAbsoluteX}, {kAnchorRight, 3, 9}, {4, 3, kAbsoluteX}, {kAnchorBottom, -1, kFromHeight}}};
    EXPECT_EQ((Rect{7, 0, 0, 99}), ApplyAnchorRules(odd, {100, 100}));
    EXPECT_EQ(-2147483639, ApplyAnchorRules(AnchorTopRight(-2147483647, 0, 1, 1), {10, 10}).right);
}

TEST(CaptionCommand, OnlyClicksOfTheSystemButtons) {
    EXPECT_EQ(CaptionAction::kClose, CaptionCommand(1, false));
    EXPECT_EQ(CaptionAction::kMinimize, CaptionCommand(4, true));
    EXPECT_EQ(CaptionAction::kMaximize, CaptionCommand(5, false));
    EXPECT_EQ(CaptionAction::kRestore, CaptionCommand(5, true));
    for (uint32_t other : {0u, 2u, 3u, 0x00010001u, 0x00050005u, 0x00000101u}) {
        EXPECT_EQ(CaptionAction::kNone, CaptionCommand(other, false)) << std::hex << other;
    }
}

TEST(MaximizedBounds, WorkAreaAndTheSizingBorderOutsideIt) {
    const Rect work{60, 0, 1920, 1040};  // taskbar at the left
    const MaximizedBounds fixed = MaximizedBoundsFor(work, false, {4, 3});
    EXPECT_EQ((Point{1860, 1040}), fixed.maxSize);
    EXPECT_EQ((Point{60, 0}), fixed.maxPosition);
    const MaximizedBounds sizing = MaximizedBoundsFor(work, true, {4, 3});
    EXPECT_EQ((Point{1868, 1046}), sizing.maxSize);
    EXPECT_EQ((Point{56, -3}), sizing.maxPosition);
}

}  // namespace
}  // namespace skin
}  // namespace vantor
