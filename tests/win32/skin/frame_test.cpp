// The skinned frame's paint: where each of the nine skin parts lands.
#include "skin/SkinFrame.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace {

using skintest::Canvas;
using skintest::WindowGuard;

// A 20 × 20 skin cut by corners 5 × 6 (top) and 4 × 3 (bottom), edges 2 and
// 3 wide; each of the nine parts has its own colour.
constexpr COLORREF kTopLeft = RGB(200, 0, 0), kTopRight = RGB(0, 200, 0), kBottomLeft = RGB(0, 0, 200);
constexpr COLORREF kBottomRight = RGB(200, 200, 0), kTopBand = RGB(0, 200, 200), kBottomBand = RGB(200, 0, 200);
constexpr COLORREF kLeftEdge = RGB(100, 50, 0), kRightEdge = RGB(0, 100, 50), kBody = RGB(250, 250, 250);
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

COLORREF NinePartSkin(int x, int y) {
    if (y < 6) return x < 5 ? kTopLeft : x >= 15 ? kTopRight : kTopBand;
    if (y >= 17) return x < 4 ? kBottomLeft : x >= 16 ? kBottomRight : kBottomBand;
    return x < 2 ? kLeftEdge : x >= 17 ? kRightEdge : kBody;
}

struct Part {
    const char* name;
    RECT destination;  // in a 60 × 50 client area
    COLORREF colour;
};

class FramePaint : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.get());
        ASSERT_TRUE(skin.get());
        ASSERT_TRUE(frame.Attach(window.get(), nullptr));
        frame.SetFrameMetrics(5, 6, 4, 3, 2, 3);
        ASSERT_TRUE(frame.SetSkinBitmap(skin.get(), RGB(0, 0, 0)));
        frame.Relayout(nullptr);
    }
    void TearDown() override { frame.Detach(); }

    WindowGuard window{skintest::MakeRecordingWindow(60, 50)};
    fw::ScopedGdiObject<HBITMAP> skin{skintest::MakeBitmap(20, 20, NinePartSkin)};
    CSkinFrame frame;
};

TEST_F(FramePaint, EachPartFillsExactlyItsDestination) {
    const Part parts[] = {
        {"top-left", {0, 0, 5, 6}, kTopLeft},          {"top-right", {55, 0, 60, 6}, kTopRight},
        {"bottom-left", {0, 47, 4, 50}, kBottomLeft},  {"bottom-right", {56, 47, 60, 50}, kBottomRight},
        {"top band", {5, 0, 55, 6}, kTopBand},          {"bottom band", {4, 47, 56, 50}, kBottomBand},
        {"left edge", {0, 6, 2, 47}, kLeftEdge},        {"right edge", {57, 6, 60, 47}, kRightEdge},
        {"body", {2, 6, 57, 47}, kBody},
    };
    Canvas canvas(64, 54, kUnpainted);
    frame.PaintTo(canvas.dc());
    for (const Part& part : parts) {
        const RECT& r = part.destination;
        // Every pixel of the destination, so a rectangle one pixel off fails.
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ASSERT_EQ(part.colour, canvas.At(x, y)) << part.name << " at " << x << ", " << y;
    }
    // Nothing beyond the client area.
    EXPECT_EQ(kUnpainted, canvas.At(60, 10));
    EXPECT_EQ(kUnpainted, canvas.At(10, 50));
}

TEST_F(FramePaint, SizingToBelowTheMinimumMovesOnlyTheDraggedEdge) {
    RECT proposed{100, 100, 105, 110};
    EXPECT_EQ(TRUE, ::SendMessageA(window.get(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&proposed)));
    EXPECT_EQ(95, proposed.left);
    EXPECT_EQ(110 - 39, proposed.top);
    EXPECT_EQ(105, proposed.right);
    EXPECT_EQ(110, proposed.bottom);
}

TEST(FrameHitTest, CaptionStripBoundsAreInclusiveAndTheRestIsTheWindows) {
    WindowGuard window(skintest::MakeRecordingWindow(60, 50));
    CSkinFrame frame;
    ASSERT_TRUE(frame.Attach(window.get(), nullptr));
    frame.SetFrameMetrics(5, 20, 2, 2, 2, 2);  // caption x 8 … 52, y 8 … 20
    // The window lies at the screen's origin, so screen and client agree.
    const struct {
        int x, y;
        LRESULT expected;
    } points[] = {{8, 8, HTCAPTION},   {52, 20, HTCAPTION}, {30, 14, HTCAPTION}, {7, 8, HTCLIENT},
                  {8, 7, HTCLIENT},    {53, 8, HTCLIENT},   {52, 21, HTCLIENT}};
    for (const auto& p : points)
        EXPECT_EQ(p.expected, ::SendMessageA(window.get(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)))
            << p.x << ", " << p.y;
    frame.Detach();
}

TEST(FrameHook, SecondAttachToAHookedWindowIsRefused) {
    WindowGuard window(skintest::MakeRecordingWindow(40, 40));
    const LONG_PTR original = ::GetWindowLongPtrA(window.get(), GWLP_WNDPROC);
    CSkinFrame first, second;
    ASSERT_TRUE(first.Attach(window.get(), nullptr));
    EXPECT_FALSE(second.Attach(window.get(), nullptr));
    EXPECT_EQ(nullptr, second.GetHookedWindow());
    EXPECT_EQ(static_cast<CWndHook*>(&first), ::GetPropA(window.get(), CWndHook::kPropertyName));
    // The first hook still answers: the caption strip is its.
    first.SetFrameMetrics(5, 20, 2, 2, 2, 2);
    EXPECT_EQ(HTCAPTION, ::SendMessageA(window.get(), WM_NCHITTEST, 0, MAKELPARAM(20, 10)));

    first.Detach();
    EXPECT_EQ(original, ::GetWindowLongPtrA(window.get(), GWLP_WNDPROC));
    EXPECT_EQ(nullptr, ::GetPropA(window.get(), CWndHook::kPropertyName));
    EXPECT_TRUE(second.Attach(window.get(), nullptr));
}

TEST(FrameHook, DestroyingTheWindowUnhooksIt) {
    HWND window = skintest::MakeRecordingWindow(40, 40);
    CSkinFrame frame;
    ASSERT_TRUE(frame.Attach(window, nullptr));
    ::DestroyWindow(window);
    EXPECT_EQ(nullptr, frame.GetHookedWindow());
}

}  // namespace
