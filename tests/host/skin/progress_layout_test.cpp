#include "skin/logic/ProgressLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "skin_printers.h"

namespace vantor {
namespace skin {
namespace {

std::vector<Rect> Spans(std::initializer_list<std::pair<int, int>> spans) {
    std::vector<Rect> rects;
    for (const auto& s : spans) rects.push_back({s.first, 0, s.second, 15});
    return rects;
}

TEST(ProgressPaint, BlocksOfTenTheLastCutAtTheFilledWidth) {
    const ProgressPaint p = PlanProgressPaint(0, 25, 100, {100, 15});
    EXPECT_EQ(Spans({{0, 10}, {10, 20}, {20, 25}}), p.done);
    EXPECT_EQ((Rect{25, 0, 100, 15}), p.empty);
    const ProgressPaint solid = PlanProgressPaint(kProgressSolid | kProgressPercentText, 45, 100, {200, 15});
    EXPECT_EQ(Spans({{0, 90}}), solid.done);
    EXPECT_EQ((Rect{90, 0, 200, 15}), solid.empty);
}

TEST(ProgressPaint, EmptyBarForPositionZeroNegativeOrRangeZero) {
    for (const ProgressPaint& p : {PlanProgressPaint(0, 0, 100, {366, 15}), PlanProgressPaint(0, -5, 100, {366, 15}),
                                   PlanProgressPaint(0, 50, 0, {366, 15}), PlanProgressPaint(1, 0, 100, {366, 15})}) {
        EXPECT_TRUE(p.done.empty());
        EXPECT_TRUE(p.hasEmpty);
        EXPECT_EQ((Rect{0, 0, 366, 15}), p.empty);
    }
}

TEST(ProgressPaint, AboveTheRangeFillsTheBarWithBoundedWork) {
    const ProgressPaint p = PlanProgressPaint(0, 150, 100, {95, 15});
    EXPECT_EQ(142, p.filled);
    ASSERT_EQ(10u, p.done.size()) << "no blocks past the bar's end";
    EXPECT_EQ((Rect{90, 0, 100, 15}), p.done.back()) << "the block across the end keeps its width";
    EXPECT_FALSE(p.hasEmpty);
    const ProgressPaint huge = PlanProgressPaint(0, INT_MAX, 1, {300, 15});
    EXPECT_EQ(INT_MAX, huge.filled);
    EXPECT_EQ(30u, huge.done.size());
}

TEST(ProgressPercentText, TruncatedUncappedAndZeroForRangeZero) {
    EXPECT_EQ("45 %", ProgressPercentText(45, 100));
    EXPECT_EQ("33 %", ProgressPercentText(1, 3));
    EXPECT_EQ("-33 %", ProgressPercentText(-1, 3));
    EXPECT_EQ("150 %", ProgressPercentText(150, 100));
    EXPECT_EQ("214748364700 %", ProgressPercentText(INT_MAX, 1));
    EXPECT_EQ("0 %", ProgressPercentText(50, 0));
}

}  // namespace
}  // namespace skin
}  // namespace vantor
