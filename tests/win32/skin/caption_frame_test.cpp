// The caption frame: window commands from its buttons' IDs, the hidden system
// buttons and the title drawn inside its rectangle.
#include "skin/SkinCaptionFrame.h"

#include <gtest/gtest.h>

#include "skin_test_support.h"

namespace {

using skintest::WindowGuard;

class CaptionFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.get());
        ASSERT_TRUE(frame.Attach(window.get(), nullptr));
        skintest::Log().clear();
    }
    void TearDown() override { frame.Detach(); }

    WindowGuard window{skintest::MakeRecordingWindow(200, 60)};
    CSkinCaptionFrame frame;
};

TEST_F(CaptionFrame, CommandOneWithCodeZeroCloses) {
    ::SendMessageA(window.get(), WM_COMMAND, MAKEWPARAM(1, 0), 0);
    EXPECT_EQ(1u, skintest::Logged(WM_CLOSE).size());
    // Not a click: handed on unchanged, no close.
    ::SendMessageA(window.get(), WM_COMMAND, MAKEWPARAM(1, 1), 0);
    EXPECT_EQ(1u, skintest::Logged(WM_CLOSE).size());
    ASSERT_EQ(1u, skintest::Logged(WM_COMMAND).size());
    EXPECT_EQ(MAKEWPARAM(1, 1), skintest::Logged(WM_COMMAND)[0].wParam);
}

TEST_F(CaptionFrame, MaximizeTogglesAndMinimizeMinimizes) {
    ::SendMessageA(window.get(), WM_COMMAND, MAKEWPARAM(5, 0), 0);
    ::SetWindowLongA(window.get(), GWL_STYLE, ::GetWindowLongA(window.get(), GWL_STYLE) | WS_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(window.get()));
    ::SendMessageA(window.get(), WM_COMMAND, MAKEWPARAM(5, 0), 0);
    ::SendMessageA(window.get(), WM_COMMAND, MAKEWPARAM(4, 0), 0);
    const auto commands = skintest::Logged(WM_SYSCOMMAND);
    ASSERT_EQ(3u, commands.size());
    EXPECT_EQ(static_cast<WPARAM>(SC_MAXIMIZE), commands[0].wParam);
    EXPECT_EQ(static_cast<WPARAM>(SC_RESTORE), commands[1].wParam);
    EXPECT_EQ(static_cast<WPARAM>(SC_MINIMIZE), commands[2].wParam);
    EXPECT_TRUE(skintest::Logged(WM_CLOSE).empty());
}

LONG Style(HWND parent, int id) { return ::GetWindowLongA(::GetDlgItem(parent, id), GWL_STYLE); }

TEST_F(CaptionFrame, OnlyTheAnchoredCloseButtonIsShownInTheTopRightCorner) {
    for (int id : {1, 3, 4, 5}) ASSERT_NE(nullptr, ::GetDlgItem(window.get(), id)) << id;
    ASSERT_NE(nullptr, frame.AddCloseButton(0, 0, 30, 27));
    frame.ShowSystemButtons();
    frame.Relayout(nullptr);
    EXPECT_TRUE(Style(window.get(), 1) & WS_VISIBLE);
    for (int id : {3, 4, 5}) EXPECT_FALSE(Style(window.get(), id) & WS_VISIBLE) << id;
    RECT close{};
    ::GetWindowRect(::GetDlgItem(window.get(), 1), &close);
    ::MapWindowPoints(nullptr, window.get(), reinterpret_cast<POINT*>(&close), 2);
    EXPECT_EQ(170, close.left);
    EXPECT_EQ(0, close.top);
    EXPECT_EQ(200, close.right);
    EXPECT_EQ(27, close.bottom);
}

TEST_F(CaptionFrame, DetachDestroysTheChildWindows) {
    HWND close = ::GetDlgItem(window.get(), 1);
    ASSERT_NE(nullptr, close);
    frame.Detach();
    EXPECT_FALSE(::IsWindow(close));
    EXPECT_EQ(nullptr, ::GetPropA(window.get(), CWndHook::kPropertyName));
}

TEST_F(CaptionFrame, TitleIsDrawnInsideItsRectangleOnly) {
    constexpr COLORREF kSkin = RGB(240, 240, 240);
    fw::ScopedGdiObject<HBITMAP> skin(skintest::MakeBitmap(40, 40, [](int, int) { return kSkin; }));
    frame.SetFrameMetrics(10, 29, 2, 2, 2, 2);
    ASSERT_TRUE(frame.SetSkinBitmap(skin.get(), RGB(0, 0, 0)));
    CSkinLabel* caption = frame.SetCaption("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM", 15, 8, 150, 20);
    ASSERT_NE(nullptr, caption);
    caption->SetTextColor(RGB(6, 54, 127));
    frame.Relayout(nullptr);

    skintest::Canvas canvas(200, 60, RGB(1, 2, 3));
    frame.PaintTo(canvas.dc());
    int inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (canvas.At(x, y) == kSkin) continue;
            (x >= 15 && x < 165 && y >= 8 && y < 28 ? inside : outside) += 1;
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(0, outside);  // a long title is cut at the rectangle, not drawn past it
}

}  // namespace
