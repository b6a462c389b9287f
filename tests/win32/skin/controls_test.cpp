// The progress bar and the labels, painted into memory and read back.
#include "skin/SkinDraw.h"
#include "skin/SkinLabel.h"
#include "skin/SkinProgress.h"

#include <gtest/gtest.h>

#include <string>

#include "skin_test_support.h"

namespace {

using skintest::Canvas;
using skintest::WindowGuard;

constexpr COLORREF kFill = RGB(200, 30, 30), kEmpty = RGB(30, 30, 200), kUnpainted = RGB(1, 2, 3);
constexpr COLORREF kFrameTopLeft = RGB(250, 250, 0), kFrameBottomRight = RGB(0, 120, 0);

// One row of a painted bar as letters: F fill, E empty, '.' untouched, ? other.
std::string Row(const Canvas& canvas, int y, int width) {
    std::string row;
    for (int x = 0; x < width; ++x) {
        const COLORREF c = canvas.At(x, y);
        row += c == kFill ? 'F' : c == kEmpty ? 'E' : c == kUnpainted ? '.' : '?';
    }
    return row;
}

struct BarCase {
    const char* name;
    int style, position, range;
    std::string middleRow;  // row 5 of a 40 × 10 bar on a 44 × 12 canvas
};

class ProgressPaint : public ::testing::TestWithParam<BarCase> {};

TEST_P(ProgressPaint, DrawsTheExpectedRow) {
    const BarCase& c = GetParam();
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND bar = skintest::MakeChild(parent.get(), "STATIC", 1001, 40, 10);
    CSkinProgress progress;
    ASSERT_TRUE(progress.Attach(bar));
    progress.SetColors(kFill, kEmpty, kFrameBottomRight, kFrameTopLeft);
    progress.SetStyle(c.style);
    progress.SetRange(c.range);
    progress.SetPos(c.position);
    Canvas canvas(44, 12, kUnpainted);
    progress.PaintTo(canvas.dc());
    EXPECT_EQ(c.middleRow, Row(canvas, 5, 44)) << c.name;
    EXPECT_EQ(std::string(44, '.'), Row(canvas, 10, 44)) << c.name;  // nothing below the bar
}

// Blocks carry a one-pixel outline in the empty colour.
INSTANTIATE_TEST_SUITE_P(
    Bars, ProgressPaint,
    ::testing::Values(
        BarCase{"blocks 0-10, 10-20, 20-25", 0, 25, 40,
                "EFFFFFFFFE" "EFFFFFFFFE" "EFFFE" + std::string(15, 'E') + "...."},
        BarCase{"position 0: all empty", 0, 0, 100, std::string(40, 'E') + "...."},
        BarCase{"above the range: full, nothing past the end", 0, 150, 100,
                "EFFFFFFFFE" "EFFFFFFFFE" "EFFFFFFFFE" "EFFFFFFFFE" "...."},
        BarCase{"solid", 1, 25, 40, std::string(25, 'F') + std::string(15, 'E') + "...."},
        BarCase{"range 0 fills nothing", 1, 5, 0, std::string(40, 'E') + "...."}),
    [](const ::testing::TestParamInfo<BarCase>& info) { return "case" + std::to_string(info.index); });

TEST(SkinDrawFrameRect, TopLeftLinesAndBottomRightLinesOnTheLastColumnAndRow) {
    Canvas canvas(14, 12, kUnpainted);
    SkinDrawFrameRect(canvas.dc(), 1, 1, 10, 8, kFrameTopLeft, kFrameBottomRight);
    EXPECT_EQ(kFrameTopLeft, canvas.At(1, 1));
    EXPECT_EQ(kFrameTopLeft, canvas.At(9, 1));    // top line stops one short
    EXPECT_EQ(kFrameBottomRight, canvas.At(10, 1));  // last column
    EXPECT_EQ(kFrameTopLeft, canvas.At(1, 7));
    EXPECT_EQ(kFrameBottomRight, canvas.At(1, 8));   // last row
    EXPECT_EQ(kFrameBottomRight, canvas.At(10, 8));
    EXPECT_EQ(kUnpainted, canvas.At(5, 4));  // inside untouched
    EXPECT_EQ(kUnpainted, canvas.At(11, 4));
    EXPECT_EQ(kUnpainted, canvas.At(5, 9));
    EXPECT_EQ(kUnpainted, canvas.At(0, 0));
}

TEST(SkinLabel, TransparentLabelLeavesTheBackgroundAndDrawsItsText) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND control = skintest::MakeChild(parent.get(), "STATIC", 1006, 40, 20, "");
    CSkinLabel label(DT_WORDBREAK);
    ASSERT_TRUE(label.Attach(control));
    {
        Canvas canvas(40, 20, kUnpainted);
        label.PaintTo(canvas.dc());
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 40; ++x) ASSERT_EQ(kUnpainted, canvas.At(x, y)) << x << ", " << y;
    }
    label.SetTextColor(RGB(255, 0, 0));
    label.SetText("MM");
    Canvas canvas(40, 20, kUnpainted);
    label.PaintTo(canvas.dc());
    int inked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) inked += canvas.At(x, y) != kUnpainted;
    EXPECT_GT(inked, 0);
    EXPECT_EQ(kUnpainted, canvas.At(39, 19));  // around the text the background stays
}

TEST(SkinLabel, BitmapIsStretchedOverExactlyTheLabel) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND control = skintest::MakeChild(parent.get(), "STATIC", 1002, 30, 4, "");
    fw::ScopedGdiObject<HBITMAP> fill(skintest::MakeBitmap(2, 2, [](int, int) { return RGB(10, 160, 90); }));
    CSkinLabel label(DT_WORDBREAK);
    ASSERT_TRUE(label.Attach(control));
    ASSERT_TRUE(label.SetBackgroundBitmap(fill.get()));
    Canvas canvas(34, 6, kUnpainted);
    label.PaintTo(canvas.dc());
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 34; ++x)
            ASSERT_EQ(x < 30 && y < 4 ? RGB(10, 160, 90) : kUnpainted, canvas.At(x, y)) << x << ", " << y;
}

TEST(SkinLabel, SetTextMessageChangesOnlyWhatIsDrawn) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND control = skintest::MakeChild(parent.get(), "STATIC", 1006, 40, 20, "old");
    CSkinLabel label(DT_WORDBREAK);
    ASSERT_TRUE(label.Attach(control));
    EXPECT_EQ("old", label.GetText());
    EXPECT_EQ(1, ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new")));
    EXPECT_EQ("new", label.GetText());
    char text[16] = {};
    ::GetWindowTextA(control, text, sizeof text);
    EXPECT_STREQ("old", text);
}

TEST(SkinLabel, WindowlessLabelKeepsTextAndRefusesABitmap) {
    CSkinLabel label(DT_WORDBREAK);
    EXPECT_TRUE(label.Attach(nullptr));
    label.SetText("title");
    EXPECT_EQ("title", label.GetText());
    fw::ScopedGdiObject<HBITMAP> fill(skintest::MakeBitmap(2, 2, [](int, int) { return RGB(1, 1, 1); }));
    EXPECT_FALSE(label.SetBackgroundBitmap(fill.get()));
}

}  // namespace
