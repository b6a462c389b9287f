#include "skin/logic/HitZones.h"
#include "skin/logic/SizingRules.h"

#include <gtest/gtest.h>

#include "skin_printers.h"

namespace vantor {
namespace skin {
namespace {

// Points of a 300 x 100 client with the updater's 29-pixel caption, as
// {x, y, answer when resizable, answer when fixed}; bounds are inclusive.
TEST(HitTestFrame, ZonesCaptionAndPassOn) {
    const struct {
        int x, y;
        HitCode resizable, fixed;
    } cases[] = {
        {0, 0, kHitTopLeft, kHitPassOn},        {8, 8, kHitTopLeft, kHitCaption},    {9, 8, kHitTop, kHitCaption},
        {300, 0, kHitTopRight, kHitPassOn},     {292, 8, kHitTopRight, kHitCaption}, {291, 8, kHitTop, kHitCaption},
        {293, 8, kHitTopRight, kHitPassOn},     {0, 100, kHitBottomLeft, kHitPassOn}, {300, 100, kHitBottomRight, kHitPassOn},
        {150, 92, kHitBottom, kHitPassOn},      {8, 50, kHitLeft, kHitPassOn},       {300, 50, kHitRight, kHitPassOn},
        {9, 9, kHitCaption, kHitCaption},       {150, 29, kHitCaption, kHitCaption}, {150, 30, kHitPassOn, kHitPassOn},
        {292, 20, kHitRight, kHitCaption},      {7, 20, kHitLeft, kHitPassOn},       {-1, 50, kHitPassOn, kHitPassOn},
        {301, 50, kHitPassOn, kHitPassOn},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.resizable, HitTestFrame({c.x, c.y}, {300, 100}, 29, true)) << c.x << "," << c.y;
        EXPECT_EQ(c.fixed, HitTestFrame({c.x, c.y}, {300, 100}, 29, false)) << c.x << "," << c.y;
    }
}

// A 10 x 20 proposal against the updater's minimum: only the dragged edges
// move, each just far enough.
TEST(SizingRules, MinimumTrackSizeAndTheDraggedEdge) {
    const Size minimum = MinimumTrackSize(MakeFrameMetrics(10, 29, 2, 2, 2, 2));
    EXPECT_EQ((Size{20, 61}), minimum);
    EXPECT_EQ((Size{24, 30}), MinimumTrackSize(MakeFrameMetrics(3, 0, 12, 0, 2, 2)));
    const Rect expected[10] = {{100, 100, 110, 120}, {90, 100, 110, 120}, {100, 100, 120, 120},
                               {100, 59, 110, 120},  {90, 59, 110, 120},  {100, 59, 120, 120},
                               {100, 100, 110, 161}, {90, 100, 110, 161}, {100, 100, 120, 161},
                               {100, 100, 110, 120}};
    for (int edge = 0; edge <= 9; ++edge) {
        EXPECT_EQ(expected[edge], ClampSizingRect(edge, {100, 100, 110, 120}, minimum)) << "edge " << edge;
    }
    EXPECT_EQ((Rect{5, 5, 25, 66}), ClampSizingRect(kEdgeTopLeft, {5, 5, 25, 66}, minimum));
}

TEST(BackBuffer, GrowsInEachDirectionAndNeverShrinks) {
    const struct {
        Size wanted;
        bool replace;
        Size after;
    } steps[] = {
        {{0, 0}, false, {0, 0}},         {{300, 100}, true, {300, 100}}, {{200, 80}, false, {300, 100}},
        {{200, 150}, true, {300, 150}},  {{400, 20}, true, {400, 150}},  {{400, 150}, false, {400, 150}},
        {{0, 500}, false, {400, 150}},   {{500, -1}, false, {400, 150}},
    };
    Size held{0, 0};
    for (const auto& s : steps) {
        const BackBufferChange change = GrowBackBuffer(held, s.wanted);
        EXPECT_EQ(s.replace, change.replace) << s.wanted.cx << "x" << s.wanted.cy;
        EXPECT_EQ(s.after, change.size) << s.wanted.cx << "x" << s.wanted.cy;
        held = change.size;
    }
}

}  // namespace
}  // namespace skin
}  // namespace vantor
