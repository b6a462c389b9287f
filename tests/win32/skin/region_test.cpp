// Corner outlines traced from a skin and the window shape built from them.
#include "skin/SkinFrame.h"
#include "skin/WindowRegion.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace {

constexpr COLORREF kKey = RGB(0, 0, 0);
constexpr COLORREF kInk = RGB(90, 120, 200);

struct Probe {
    int x, y;
    bool inside;
};

void ExpectRegion(HRGN region, std::initializer_list<Probe> probes) {
    for (const Probe& p : probes)
        EXPECT_EQ(p.inside, ::PtInRegion(region, p.x, p.y) != FALSE) << p.x << ", " << p.y;
}

TEST(CornerRegion, KeyPixelsLieOutsideInLocalCoordinates) {
    // Rounded top-left: key where x + y < 3.
    fw::ScopedGdiObject<HBITMAP> skin(skintest::MakeBitmap(10, 10, [](int x, int y) { return x + y < 3 ? kKey : kInk; }));
    fw::CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    fw::ScopedSelectObject selection(dc.get(), skin.get());
    fw::ScopedGdiObject<HRGN> region(CreateCornerRegion(0, 0, 9, 9, kKey, dc.get()));
    ASSERT_TRUE(region);
    ExpectRegion(region.get(), {{0, 0, false}, {1, 0, false}, {0, 1, false}, {4, 1, true}, {5, 5, true}, {1, 8, true}});
}

TEST(CornerRegion, ScanStartsAtItsOrigin) {
    // The same rounding at (4, 2) of a larger skin; the region is still local.
    fw::ScopedGdiObject<HBITMAP> skin(skintest::MakeBitmap(
        20, 20, [](int x, int y) { return x < 4 || y < 2 || (x - 4) + (y - 2) < 3 ? kKey : kInk; }));
    fw::CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    fw::ScopedSelectObject selection(dc.get(), skin.get());
    fw::ScopedGdiObject<HRGN> region(CreateCornerRegion(4, 2, 9, 9, kKey, dc.get()));
    ASSERT_TRUE(region);
    ExpectRegion(region.get(), {{0, 0, false}, {0, 1, false}, {4, 1, true}, {5, 5, true}});
}

TEST(CornerRegion, AllKeyAreaGivesNoRegion) {
    fw::ScopedGdiObject<HBITMAP> skin(skintest::MakeBitmap(6, 6, [](int, int) { return kKey; }));
    fw::CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    fw::ScopedSelectObject selection(dc.get(), skin.get());
    EXPECT_EQ(nullptr, CreateCornerRegion(0, 0, 3, 3, kKey, dc.get()));
}

// A 20 × 20 skin whose two top corners (5 × 6) are cut on the outer side:
// key at (0, 0), (1, 0), (0, 1) and the mirror pixels at the right.
COLORREF RoundedSkin(int x, int y) {
    const int fromRight = 19 - x;
    if (x + y < 2 || fromRight + y < 2) return kKey;
    return kInk;
}

TEST(WindowShape, FixedWindowTakesTheCornersAtItsOwnCorners) {
    skintest::WindowGuard window(skintest::MakeRecordingWindow(60, 50));
    fw::ScopedGdiObject<HBITMAP> skin(skintest::MakeBitmap(20, 20, RoundedSkin));
    CSkinFrame frame;
    ASSERT_TRUE(frame.Attach(window.get(), nullptr));
    frame.SetFrameMetrics(5, 6, 4, 3, 2, 3);
    ASSERT_TRUE(frame.SetSkinBitmap(skin.get(), kKey));
    frame.Relayout(nullptr);

    fw::ScopedGdiObject<HRGN> shape(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, ::GetWindowRgn(window.get(), shape.get()));
    ExpectRegion(shape.get(), {
                                  {0, 0, false},   // cut top-left
                                  {59, 0, false},  // cut top-right
                                  {0, 3, true},    {59, 3, true},  // below the cuts
                                  {30, 1, true},   // top band
                                  {30, 25, true},  {0, 25, true}, {59, 25, true},  // body
                                  {1, 48, true},   {30, 48, true}, {58, 48, true},  // bottom corners and band
                              });
    frame.Detach();
}

TEST(WindowShape, WithoutCornersTheRectanglesRemain) {
    skintest::WindowGuard window(skintest::MakeRecordingWindow(60, 50));
    CSkinFrame frame;
    ASSERT_TRUE(frame.Attach(window.get(), nullptr));
    frame.SetFrameMetrics(0, 6, 0, 3, 2, 3);  // zero-width corners: nothing traced
    frame.Relayout(nullptr);

    fw::ScopedGdiObject<HRGN> shape(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(ERROR, ::GetWindowRgn(window.get(), shape.get()));
    ExpectRegion(shape.get(), {{0, 0, true}, {30, 2, true}, {30, 25, true}, {59, 49, true}, {60, 25, false}});
    frame.Detach();
}

}  // namespace
