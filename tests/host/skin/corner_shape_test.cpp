#include "skin/logic/CornerTrace.h"
#include "skin/logic/WindowShape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin_printers.h"

namespace vantor {
namespace skin {
namespace {

// A skin drawn as text: '.' is the key colour black, '#' a dark blue pixel.
PixelGrid Grid(const std::vector<std::string>& rows) {
    return {static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
            [rows](int x, int y) -> uint32_t { return rows[y][x] == '.' ? 0x000000u : 0x4A2A1Bu; }};
}
using Points = std::vector<Point>;

TEST(CornerOutline, DownTheLeftUpTheRightGapsJoinedNotchesFilled) {
    EXPECT_EQ((Points{{2, 0}, {1, 1}, {0, 2}, {0, 3}, {3, 3}, {3, 2}, {3, 1}, {3, 0}}),
              TraceCornerOutline(Grid({"..##", ".###", "####", "####"}), 0, 0, 3, 3, 0));
    EXPECT_EQ((Points{{2, 0}, {0, 2}, {0, 3}, {3, 3}, {3, 2}, {3, 0}}),
              TraceCornerOutline(Grid({"..##", "....", "#..#", "####"}), 0, 0, 3, 3, 0));
    // A scan area away from the origin gives local points.
    EXPECT_EQ((Points{{0, 0}, {0, 1}, {0, 2}, {2, 2}, {1, 1}, {0, 0}}),
              TraceCornerOutline(Grid({"######..", "#######.", "########"}), 5, 0, 2, 2, 0));
}

TEST(CornerOutline, AllKeyNoKeyAndPixelsOutsideTheSkin) {
    EXPECT_TRUE(TraceCornerOutline(Grid({"...", "..."}), 0, 0, 2, 1, 0).empty());
    const Points full = {{0, 0}, {0, 1}, {2, 1}, {2, 0}};
    EXPECT_EQ(full, TraceCornerOutline(Grid({"###", "###"}), 0, 0, 2, 1, 0));
    EXPECT_EQ(full, TraceCornerOutline(Grid({"...", "..."}), 0, 0, 2, 1, 0xFFFFFFu)) << "white key";
    // The row below a bottom corner and the column left of a corner as wide
    // as the skin read as the invalid colour, never the key.
    EXPECT_EQ((Points{{0, 0}, {0, 2}, {2, 2}, {0, 0}}), TraceCornerOutline(Grid({"#..", "..."}), 0, 0, 2, 2, 0));
    EXPECT_EQ((Points{{0, 0}, {0, 1}, {0, 1}, {1, 0}}), TraceCornerOutline(Grid({"#..", "..."}), -1, 0, 3, 1, 0));
    EXPECT_EQ(kInvalidColour, ReadPixel(PixelGrid{}, 0, 0)) << "a grid without a reader";
}

TEST(CornerScan, UpdaterCornersAndSkippedOnes) {
    const FrameMetrics updater = MakeFrameMetrics(10, 29, 2, 2, 2, 2);
    const int expected[4][4] = {{0, 0, 9, 29}, {115, 0, 10, 29}, {0, 104, 1, 2}, {123, 104, 2, 2}};
    for (int c = 0; c < 4; ++c) {
        const CornerScan s = CornerScanFor(static_cast<Corner>(c), updater, {126, 106});
        EXPECT_TRUE(s.traced);
        EXPECT_EQ((Rect{expected[c][0], expected[c][1], expected[c][2], expected[c][3]}),
                  (Rect{s.x0, s.y0, s.lastColumn, s.lastRow}))
            << c;
    }
    EXPECT_FALSE(CornerScanFor(Corner::kTopLeft, MakeFrameMetrics(0, 29, 2, 2, 2, 2), {126, 106}).traced);
    EXPECT_FALSE(CornerScanFor(Corner::kTopRight, MakeFrameMetrics(10, 0, 2, 2, 2, 2), {126, 106}).traced);
    EXPECT_FALSE(CornerScanFor(Corner::kBottomRight, MakeFrameMetrics(10, 29, 2, 0, 2, 2), {126, 106}).traced);
}

TEST(WindowShape, FixedAndResizableUpdaterWindow) {
    const FrameMetrics updater = MakeFrameMetrics(10, 29, 2, 2, 2, 2);
    const WindowShapePlan fixed = PlanWindowShape(updater, {414, 124}, {414, 124}, false, {4, 4});
    EXPECT_EQ((Rect{0, 0, 1, 1}), fixed.start);
    EXPECT_EQ((std::array<Point, 4>{{{0, 0}, {404, 0}, {0, 122}, {412, 122}}}), fixed.cornerOffset);
    EXPECT_EQ((Rect{0, 29, 414, 122}), fixed.body.value());
    EXPECT_EQ((Rect{9, 0, 404, 29}), fixed.topBand.value());
    EXPECT_EQ((Rect{1, 122, 412, 124}), fixed.bottomBand.value());
    const WindowShapePlan sizing = PlanWindowShape(updater, {422, 132}, {414, 124}, true, {4, 4});
    EXPECT_EQ((Rect{0, 0, 0, 0}), sizing.start);
    EXPECT_EQ((std::array<Point, 4>{{{3, 3}, {409, 3}, {3, 127}, {417, 127}}}), sizing.cornerOffset);
    EXPECT_EQ((Rect{3, 32, 417, 125}), sizing.body.value());
    EXPECT_EQ((Rect{12, 3, 407, 32}), sizing.topBand.value());
    EXPECT_EQ((Rect{4, 125, 415, 127}), sizing.bottomBand.value());
}

TEST(WindowShape, NoRectangleWhereItWouldBeEmpty) {
    const FrameMetrics updater = MakeFrameMetrics(10, 29, 2, 2, 2, 2);
    const WindowShapePlan narrow = PlanWindowShape(updater, {20, 124}, {20, 124}, false, {4, 4});
    EXPECT_TRUE(!narrow.topBand && narrow.bottomBand && narrow.body);
    const WindowShapePlan low = PlanWindowShape(updater, {414, 31}, {414, 31}, false, {4, 4});
    EXPECT_TRUE(low.topBand && low.bottomBand && !low.body);
    const WindowShapePlan uncut = PlanWindowShape(FrameMetrics{}, {414, 124}, {414, 124}, false, {4, 4});
    EXPECT_EQ((Rect{0, 0, 414, 124}), uncut.body.value());
    EXPECT_FALSE(uncut.topBand || uncut.bottomBand);
    EXPECT_FALSE(PlanWindowShape(FrameMetrics{}, {0, 124}, {0, 124}, false, {4, 4}).body);
}

}  // namespace
}  // namespace skin
}  // namespace vantor
