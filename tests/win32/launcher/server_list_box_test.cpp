// The server list's drawing through its real list control: background bitmap
// at the origin, highlight and passing colours, the icon's transparent white,
// and the repaints that selection changes and scrolling ask for.
#include "controls/ServerListBox.h"

#include <gtest/gtest.h>

#include <string>

#include "controls_test_ids.h"
#include "controls_test_support.h"
#include "res/resource.h"

using controlstest::Canvas;
using controlstest::ResourcePixel;

namespace {

const int kWidth = 160, kHeight = 107, kItemHeight = 20;
const COLORREF kBehind = RGB(255, 0, 255);  // in neither bitmap
const COLORREF kPassing = RGB(46, 39, 45);

class CListHost : public controlstest::CHostDialog<fw::CDialog> {
public:
    CListHost(int items, Step body)
        : CHostDialog(IDD_LIST_HOST, [this, items](CHostDialog&) { SetUp(items); }, std::move(body)) {}
    CServerListBox list;

private:
    void SetUp(int items) {
        list.AttachDlgItem(IDC_SERVERLIST, hwnd());
        AddOwnerDraw(IDC_SERVERLIST, &list);
        list.MoveWindow(0, 0, kWidth, kHeight);
        for (int i = 0; i < items; ++i) {
            std::string name = "server " + std::to_string(i);
            list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            list.SetItemHeight(i, kItemHeight);
        }
        list.LoadBackground(IDB_SERVERLIST);
    }
};

// What the list shows: its background erase, then its items.
void PaintInto(const CServerListBox& list, const Canvas& canvas) {
    // Without the focus the list draws no focus frame over what is checked.
    ::SetFocus(::GetDlgItem(::GetParent(list), IDC_PLAIN_LIST));
    list.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()));
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
}

bool ShowsBackgroundAt(const Canvas& canvas, int x, int y) {
    return canvas.At(x, y) == ResourcePixel(IDB_SERVERLIST, x, y);
}

RECT UpdateRect(HWND hwnd) {
    RECT r{};
    ::GetUpdateRect(hwnd, &r, FALSE);
    return r;
}

// The client area of the list, which is narrower than the control by its scroll bar.
bool CoversClient(HWND hwnd, const RECT& r) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return ::EqualRect(&client, &r) != FALSE;
}

void Click(const CServerListBox& list, int x, int y) {
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

DRAWITEMSTRUCT Item(HDC dc, int index, UINT action, UINT state) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = action;
    item.itemState = state;
    item.hDC = dc;
    item.rcItem = RECT{0, 0, kWidth, kItemHeight};
    return item;
}

}  // namespace

TEST(ServerListBackground, EmptyListShowsOnlyItsBitmapEvenAfterTheListsOwnErase) {
    // The list's own erase asks the dialog for a brush; the null brush keeps the bitmap.
    CListHost host(0, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        Canvas canvas(kWidth, kHeight, kBehind);
        PaintInto(self.list, canvas);
        fw::CBitmap background;
        background.LoadBitmap(::GetModuleHandleA(nullptr), IDB_SERVERLIST);
        RECT client = self.list.GetClientRect();
        for (int y = 0; y < client.bottom; y += 3)
            for (int x = 0; x < client.right; x += 3)
                ASSERT_TRUE(ShowsBackgroundAt(canvas, x, y)) << x << "," << y;
    });
    host.Run();
}

TEST(ServerListBackground, SelectedItemIsHighlightedTheOthersShowTheBitmap) {
    CListHost host(3, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        self.list.SetCurSel(1);
        Canvas canvas(kWidth, kHeight, kBehind);
        PaintInto(self.list, canvas);
        const int left = 5;  // before the icon and the text
        EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.At(left, kItemHeight + 10));
        EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), canvas.At(140, kItemHeight + 1));
        EXPECT_TRUE(ShowsBackgroundAt(canvas, left, 10)) << "an unselected item shows the bitmap";
        EXPECT_TRUE(ShowsBackgroundAt(canvas, 140, 2 * kItemHeight + 1));
        EXPECT_TRUE(ShowsBackgroundAt(canvas, left, 3 * kItemHeight + 5)) << "below the last item";
    });
    host.Run();
}

TEST(ServerListBackground, IconsWhiteLetsWhatLiesBeneathShow) {
    CListHost host(1, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        Canvas canvas(kWidth, kHeight, kBehind);
        PaintInto(self.list, canvas);
        // The icon sits at (15, 0) of the item: a disc on a white square.
        ASSERT_EQ(RGB(255, 255, 255), ResourcePixel(IDB_SERVERICON, 0, 0));
        EXPECT_TRUE(ShowsBackgroundAt(canvas, 15, 0)) << "the icon's white corner is transparent";
        EXPECT_TRUE(ShowsBackgroundAt(canvas, 15 + 19, 19));
        EXPECT_EQ(ResourcePixel(IDB_SERVERICON, 10, 10), canvas.At(15 + 10, 10)) << "the icon's disc";
    });
    host.Run();
}

TEST(ServerListRepaint, SelectionChangeInvalidatesTheWholeList) {
    CListHost host(3, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        self.list.SetCurSel(0);
        ::ValidateRect(self.list, nullptr);
        Click(self.list, 40, 2 * kItemHeight + 5);
        ASSERT_EQ(2, self.list.GetCurSel());
        EXPECT_TRUE(CoversClient(self.list, UpdateRect(self.list)));
        EXPECT_NE(self.commands.end(), std::find(self.commands.begin(), self.commands.end(), LBN_SELCHANGE))
            << "the dialog still hears of the change";
    });
    host.Run();
}

TEST(ServerListRepaint, ScrollingRepaintsTheWholeListWithTheBitmapAtTheOrigin) {
    CListHost host(12, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        ::ValidateRect(self.list, nullptr);
        self.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        ASSERT_EQ(1, self.list.SendMessage(LB_GETTOPINDEX));
        EXPECT_TRUE(CoversClient(self.list, UpdateRect(self.list)));
        Canvas canvas(kWidth, kHeight, kBehind);
        PaintInto(self.list, canvas);
        for (int y = 0; y < kHeight; y += 7) EXPECT_TRUE(ShowsBackgroundAt(canvas, 5, y)) << y;
    });
    host.Run();
}

TEST(ServerListColours, ColourRequestGetsTheNullBrushWithWhiteTransparentText) {
    CListHost host(1, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        Canvas canvas(4, 4, kBehind);
        ::SetTextColor(canvas.dc(), RGB(0, 0, 0));
        LRESULT brush = ::SendMessageA(self.hwnd(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(canvas.dc()),
                                       reinterpret_cast<LPARAM>(self.list.GetSafeHwnd()));
        EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH)), brush);
        EXPECT_EQ(RGB(255, 255, 255), ::GetTextColor(canvas.dc()));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(canvas.dc()));
    });
    host.Run();
}

// The item rules, one action at a time, on a canvas that stands for the bitmap.
struct ItemCase {
    const char* name;
    int index;
    UINT action, state;
    COLORREF expected;  // at the item's left edge, before the icon; kBehind: nothing painted
};

class ServerListItem : public ::testing::TestWithParam<ItemCase> {};

TEST_P(ServerListItem, FillsAsTheActionAndStateSay) {
    const ItemCase& c = GetParam();
    CListHost host(2, [&c](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        Canvas canvas(kWidth, kItemHeight, kBehind);
        const COLORREF expected = c.expected == COLOR_HIGHLIGHT ? ::GetSysColor(COLOR_HIGHLIGHT) : c.expected;
        self.list.DrawItem(Item(canvas.dc(), c.index, c.action, c.state));
        EXPECT_EQ(expected, canvas.At(5, 10));
    });
    host.Run();
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ServerListItem,
    ::testing::Values(
        ItemCase{"SelectedDrawnWhole", 0, ODA_DRAWENTIRE, ODS_SELECTED, COLOR_HIGHLIGHT},
        ItemCase{"SelectedBySelectionChange", 0, ODA_SELECT, ODS_SELECTED, COLOR_HIGHLIGHT},
        ItemCase{"LosingTheSelection", 1, ODA_SELECT, 0, kPassing},
        ItemCase{"UnselectedDrawnWhole", 1, ODA_DRAWENTIRE, 0, kBehind},
        ItemCase{"SelectedFocusOnly", 0, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS, kBehind}),
    [](const ::testing::TestParamInfo<ItemCase>& info) { return std::string(info.param.name); });

TEST(ServerListItemFocus, EmptyListDrawsOnlyTheFocusFrame) {
    CListHost host(0, [](controlstest::CHostDialog<fw::CDialog>& dialog) {
        auto& self = static_cast<CListHost&>(dialog);
        Canvas canvas(kWidth, kItemHeight, kBehind);
        self.list.DrawItem(Item(canvas.dc(), -1, ODA_FOCUS, ODS_FOCUS));
        EXPECT_TRUE(canvas.At(0, 0) != kBehind || canvas.At(1, 0) != kBehind) << "the dotted frame's top edge";
        EXPECT_EQ(kBehind, canvas.At(5, 10)) << "nothing inside";
        Canvas untouched(kWidth, kItemHeight, kBehind);
        self.list.DrawItem(Item(untouched.dc(), -1, ODA_DRAWENTIRE, 0));
        EXPECT_EQ(kBehind, untouched.At(0, 0));
        EXPECT_EQ(kBehind, untouched.At(1, 0));
    });
    host.Run();
}
