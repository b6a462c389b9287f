// The skinned button's clicks, driven by synthetic mouse and key messages to a
// real button window on a hidden parent that records its WM_COMMANDs.
#include "skin/SkinButton.h"

#include <gtest/gtest.h>

#include <vector>

#include "skin_test_support.h"

namespace {

using skintest::WindowGuard;

constexpr int kId = 77;

struct Step {
    UINT msg;
    int x, y;  // mouse position; for keys the key code is x
};

struct ClickCase {
    const char* name;
    std::vector<Step> steps;
    size_t commands;
};

class ButtonClicks : public ::testing::TestWithParam<ClickCase> {};

TEST_P(ButtonClicks, SendsTheExpectedCommands) {
    const ClickCase& c = GetParam();
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND window = skintest::MakeChild(parent.get(), "BUTTON", kId, 30, 27, "x");
    CSkinButton button;
    ASSERT_TRUE(button.Attach(window));
    skintest::Log().clear();
    for (const Step& s : c.steps) {
        const bool key = s.msg == WM_KEYDOWN || s.msg == WM_KEYUP || s.msg == WM_CHAR;
        const LPARAM lParam = key ? 1 : static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(s.x, s.y)));
        ::SendMessageA(window, s.msg, key ? static_cast<WPARAM>(s.x) : 0, lParam);
    }
    const auto commands = skintest::Logged(WM_COMMAND);
    ASSERT_EQ(c.commands, commands.size()) << c.name;
    for (const auto& command : commands) {
        EXPECT_EQ(MAKEWPARAM(kId, 0), command.wParam) << c.name;
        EXPECT_EQ(reinterpret_cast<LPARAM>(window), command.lParam) << c.name;
    }
    EXPECT_NE(window, ::GetCapture()) << c.name;  // never left holding the mouse
    button.Detach();
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ButtonClicks,
    ::testing::Values(
        ClickCase{"press and release inside", {{WM_MOUSEMOVE, 5, 5}, {WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 6, 6}}, 1},
        ClickCase{"press and release without a move first", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 5, 5}}, 1},
        ClickCase{"edges count as inside", {{WM_LBUTTONDOWN, 30, 27}, {WM_LBUTTONUP, 30, 27}}, 1},
        ClickCase{"press that leaves before the release",
                  {{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, 40, 5}, {WM_LBUTTONUP, 40, 5}}, 0},
        ClickCase{"press that leaves and comes back",
                  {{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, 40, 5}, {WM_MOUSEMOVE, 5, 5}, {WM_LBUTTONUP, 5, 5}}, 0},
        ClickCase{"release one past the right edge", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 31, 5}}, 0},
        ClickCase{"release left of the button", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, -1, 5}}, 0},
        ClickCase{"press outside", {{WM_LBUTTONDOWN, 5, 28}, {WM_LBUTTONUP, 5, 5}}, 0},
        ClickCase{"release without a press", {{WM_MOUSEMOVE, 5, 5}, {WM_LBUTTONUP, 5, 5}}, 0},
        ClickCase{"two clicks", {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 5, 5}, {WM_LBUTTONDOWN, 5, 5},
                                 {WM_LBUTTONUP, 5, 5}}, 2},
        ClickCase{"double click and right button do nothing",
                  {{WM_LBUTTONDBLCLK, 5, 5}, {WM_RBUTTONDOWN, 5, 5}, {WM_RBUTTONUP, 5, 5}}, 0},
        ClickCase{"space and enter are swallowed",
                  {{WM_KEYDOWN, VK_SPACE, 0}, {WM_CHAR, ' ', 0}, {WM_KEYUP, VK_SPACE, 0},
                   {WM_KEYDOWN, VK_RETURN, 0}, {WM_KEYUP, VK_RETURN, 0}}, 0}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return "script" + std::to_string(info.index); });

TEST(SkinButton, FocusChangesAreSwallowed) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND window = skintest::MakeChild(parent.get(), "BUTTON", kId, 30, 27, "x");
    ::SetWindowLongA(window, GWL_STYLE, ::GetWindowLongA(window, GWL_STYLE) | BS_NOTIFY);
    CSkinButton button;
    ASSERT_TRUE(button.Attach(window));
    skintest::Log().clear();
    EXPECT_EQ(0, ::SendMessageA(window, WM_SETFOCUS, 0, 0));
    EXPECT_EQ(0, ::SendMessageA(window, WM_KILLFOCUS, 0, 0));
    // A plain button with BS_NOTIFY would report BN_SETFOCUS and BN_KILLFOCUS.
    EXPECT_TRUE(skintest::Logged(WM_COMMAND).empty());
    button.Detach();
}

TEST(SkinButton, LeavingEndsHoverAndPressAndGivesTheMouseBack) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND window = skintest::MakeChild(parent.get(), "BUTTON", kId, 30, 27, "x");
    CSkinButton button;
    ASSERT_TRUE(button.Attach(window));
    ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(window, ::GetCapture());
    EXPECT_EQ(vantor::skin::kButtonHover, button.GetState());
    ::SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(vantor::skin::kButtonPressed, button.GetState());
    ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
    EXPECT_NE(window, ::GetCapture());
    EXPECT_EQ(vantor::skin::kButtonNormal, button.GetState());
    button.Detach();
}

TEST(SkinButton, DrawsTheNormalBitmapStretchedOverTheButton) {
    WindowGuard parent(skintest::MakeRecordingWindow(100, 100));
    HWND window = skintest::MakeChild(parent.get(), "BUTTON", kId, 12, 8, "");
    fw::ScopedGdiObject<HBITMAP> normal(skintest::MakeBitmap(3, 2, [](int, int) { return RGB(0, 90, 180); }));
    fw::ScopedGdiObject<HBITMAP> other(skintest::MakeBitmap(3, 2, [](int, int) { return RGB(180, 0, 0); }));
    CSkinButton button;
    ASSERT_TRUE(button.Attach(window));
    ASSERT_TRUE(button.SetBitmaps(normal.get(), other.get(), other.get(), 0));
    skintest::Canvas canvas(14, 10, RGB(1, 2, 3));
    button.PaintTo(canvas.dc());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 14; ++x)
            ASSERT_EQ(x < 12 && y < 8 ? RGB(0, 90, 180) : RGB(1, 2, 3), canvas.At(x, y)) << x << ", " << y;
    button.Detach();
}

}  // namespace
