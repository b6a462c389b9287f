// The bitmap buttons' loading, sizing and drawing rule, and the background
// dialog's size, dragging and painting.
#include "controls/BitmapButton.h"
#include "controls/BitmapDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "controls_test_ids.h"
#include "controls_test_support.h"
#include "res/resource.h"

using controlstest::Canvas;
using controlstest::ShowsBitmap;

namespace {

const COLORREF kBehind = RGB(255, 0, 255);

DRAWITEMSTRUCT ButtonItem(HDC dc, UINT state) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, 200, 30};
    return item;
}

// Which resource the button shows after drawing in the given state.
bool Shows(CBitmapButton& button, UINT state, const char* name) {
    Canvas canvas(200, 30, kBehind);
    button.DrawItem(ButtonItem(canvas.dc(), state));
    fw::CBitmap expected;
    return expected.LoadBitmap(::GetModuleHandleA(nullptr), name) && ShowsBitmap(canvas, expected.get(), 0, 0);
}

}  // namespace

TEST(BitmapButtonLoad, FailsOnlyForAMissingNormalOrNamedPressedBitmap) {
    CBitmapButton button;
    EXPECT_TRUE(button.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2"));
    EXPECT_TRUE(button.LoadBitmaps("EXITBUTTON1"));
    EXPECT_TRUE(button.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2", "NO_FOCUSED", "NO_DISABLED"));
    EXPECT_FALSE(button.LoadBitmaps("NO_NORMAL", "EXITBUTTON2"));
    EXPECT_FALSE(button.LoadBitmaps("EXITBUTTON1", "NO_PRESSED"));
}

TEST(BitmapButtonLoad, ReloadingLetsGoOfTheEarlierBitmaps) {
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2"));
    ASSERT_TRUE(button.LoadBitmaps("WEBBUTTON1"));
    EXPECT_TRUE(Shows(button, ODS_SELECTED, "WEBBUTTON1")) << "no pressed bitmap left from before";
    ASSERT_FALSE(button.LoadBitmaps("NO_NORMAL"));
    Canvas canvas(200, 30, kBehind);
    button.DrawItem(ButtonItem(canvas.dc(), 0));
    EXPECT_EQ(kBehind, canvas.At(3, 3)) << "a button without bitmaps draws nothing";
}

struct DrawCase {
    const char* name;
    UINT state;
    const char* shown;
};

class BitmapButtonDraw : public ::testing::TestWithParam<DrawCase> {};

TEST_P(BitmapButtonDraw, PicksTheBitmapOfItsState) {
    // Four different pictures stand for normal, pressed, focused and disabled.
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2", "WEBBUTTON1", "LOGINBUTTON1"));
    EXPECT_TRUE(Shows(button, GetParam().state, GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    States, BitmapButtonDraw,
    ::testing::Values(DrawCase{"Normal", 0, "EXITBUTTON1"}, DrawCase{"Pressed", ODS_SELECTED, "EXITBUTTON2"},
                      DrawCase{"PressedWithFocus", ODS_SELECTED | ODS_FOCUS, "EXITBUTTON2"},
                      DrawCase{"Focused", ODS_FOCUS, "WEBBUTTON1"},
                      DrawCase{"FocusedAndDisabled", ODS_FOCUS | ODS_DISABLED, "WEBBUTTON1"},
                      DrawCase{"Disabled", ODS_DISABLED, "LOGINBUTTON1"}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });

TEST(BitmapButtonDraw, StatesWithoutTheirBitmapShowTheNormalOne) {
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2"));
    EXPECT_TRUE(Shows(button, ODS_FOCUS, "EXITBUTTON1"));
    EXPECT_TRUE(Shows(button, ODS_DISABLED, "EXITBUTTON1"));
}

namespace {

class CBackgroundDlg : public CBitmapDlg {
public:
    CBackgroundDlg(UINT templateId, HWND parent) : CBitmapDlg(templateId, parent) {
        m_nBackgroundResource = IDB_BACKGROUND;
    }
    using CBitmapDlg::OnMessage;
};

using Host = controlstest::CHostDialog<CBackgroundDlg>;

}  // namespace

TEST(BitmapButtonSize, TakesTheBitmapsSizeKeepingPlaceAndOrder) {
    CBitmapButton button;
    ASSERT_TRUE(button.LoadBitmaps("EXITBUTTON1"));
    Host host(IDD_BITMAP_HOST, nullptr, [&button](Host& h) {
        button.AttachDlgItem(IDC_EXITBUTTON, h.hwnd());
        RECT before = button.GetWindowRect();
        HWND above = ::GetWindow(button, GW_HWNDPREV), below = ::GetWindow(button, GW_HWNDNEXT);
        button.SizeToContent();
        RECT after = button.GetWindowRect();
        EXPECT_EQ(before.left, after.left);
        EXPECT_EQ(before.top, after.top);
        EXPECT_EQ(164, after.right - after.left);
        EXPECT_EQ(26, after.bottom - after.top);
        EXPECT_EQ(above, ::GetWindow(button, GW_HWNDPREV));
        EXPECT_EQ(below, ::GetWindow(button, GW_HWNDNEXT));
    });
    host.Run();
}

TEST(BitmapDlg, TakesTheBackgroundsSizeAndKeepsItsCorner) {
    RECT template_{};
    {
        // Where and how big the template alone makes the window.
        controlstest::CHostDialog<fw::CDialog> plain(IDD_BITMAP_HOST, nullptr,
                                                     [&template_](auto& h) { ::GetWindowRect(h.hwnd(), &template_); });
        plain.Run();
    }
    ASSERT_FALSE(template_.right - template_.left == 600 && template_.bottom - template_.top == 400)
        << "the template alone gives another size";
    Host host(IDD_BITMAP_HOST, nullptr, [&template_](Host& h) {
        RECT window{};
        ::GetWindowRect(h.hwnd(), &window);
        EXPECT_EQ(600, window.right - window.left);
        EXPECT_EQ(400, window.bottom - window.top);
        EXPECT_EQ(template_.left, window.left);
        EXPECT_EQ(template_.top, window.top);
    });
    host.Run();
}

TEST(BitmapDlg, BackgroundAnswersAsCaptionSoThePlayerDragsTheWindow) {
    Host host(IDD_BITMAP_HOST, nullptr, [](Host& h) {
        RECT window{};
        ::GetWindowRect(h.hwnd(), &window);
        LRESULT inside = ::SendMessageA(h.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(window.left + 10, window.top + 10));
        EXPECT_EQ(HTCAPTION, inside);
        LRESULT outside = ::SendMessageA(h.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(window.right + 5, window.top + 10));
        EXPECT_EQ(HTNOWHERE, outside) << "other answers pass unchanged";
    });
    host.Run();
}

TEST(BitmapDlg, PaintsTheBackgroundUnscaledAtTheOrigin) {
    Host host(IDD_BITMAP_HOST, nullptr, [](Host& h) {
        ::RedrawWindow(h.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        fw::ScopedWindowDC dc(h.hwnd());
        for (POINT p : {POINT{0, 0}, POINT{5, 3}, POINT{100, 60}, POINT{599, 399}, POINT{40, 380}})
            EXPECT_EQ(controlstest::ResourcePixel(IDB_BACKGROUND, p.x, p.y), ::GetPixel(dc.get(), p.x, p.y))
                << p.x << "," << p.y;
    });
    host.Run();
}
