// The server list's item rules: fill by action and state, focus frame, icon
// and text places, text colour.
#include "controls/ServerItemLook.h"

#include <gtest/gtest.h>

#include <string>

using vantor::ItemFill;
using vantor::ItemRequest;
using vantor::ItemTextColour;
using vantor::LookOfItem;

namespace {

const vantor::ItemBox kBox{4, 40, 164, 60};

enum Action { Entire = 1, Select = 2, Focus = 4 };
enum State { Selected = 1, Disabled = 2 };

ItemRequest Request(int action, int state, int index = 3, bool icons = true) {
    ItemRequest r{};
    r.index = index;
    r.box = kBox;
    r.drawEntire = action & Entire;
    r.selectionChanged = action & Select;
    r.focusChanged = action & Focus;
    r.selected = state & Selected;
    r.disabled = state & Disabled;
    r.hasIcons = icons;
    return r;
}

struct FillCase {
    const char* name;
    int action, state;
    ItemFill fill;
    ItemTextColour text;
};

class ItemFillRule : public ::testing::TestWithParam<FillCase> {};

TEST_P(ItemFillRule, FillAndTextColourFollowActionAndState) {
    const FillCase& c = GetParam();
    const vantor::ItemLook look = LookOfItem(Request(c.action, c.state));
    EXPECT_EQ(c.fill, look.fill);
    EXPECT_EQ(c.text, look.textColour);
    EXPECT_EQ((c.action & Focus) != 0, look.focusFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ItemFillRule,
    ::testing::Values(
        FillCase{"SelectedWhole", Entire, Selected, ItemFill::Highlight, ItemTextColour::HighlightText},
        FillCase{"SelectedBySelection", Select, Selected, ItemFill::Highlight, ItemTextColour::HighlightText},
        FillCase{"SelectedFocusOnly", Focus, Selected, ItemFill::None, ItemTextColour::HighlightText},
        FillCase{"LosingSelection", Select, 0, ItemFill::Unselected, ItemTextColour::White},
        FillCase{"LosingSelectionWithFocus", Select | Focus, 0, ItemFill::Unselected, ItemTextColour::White},
        FillCase{"UnselectedWhole", Entire, 0, ItemFill::None, ItemTextColour::White},
        FillCase{"UnselectedFocusOnly", Focus, 0, ItemFill::None, ItemTextColour::White},
        FillCase{"DisabledWhole", Entire, Disabled, ItemFill::None, ItemTextColour::GreyText},
        FillCase{"SelectedAndDisabled", Entire, Selected | Disabled, ItemFill::Highlight,
                 ItemTextColour::HighlightText}),
    [](const ::testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

TEST(ItemPlaces, IconFifteenInTextThirtyOneInAndTwoDown) {
    const vantor::ItemLook look = LookOfItem(Request(Entire, 0));
    EXPECT_EQ(kBox.left + 15, look.iconX);
    EXPECT_EQ(kBox.top, look.iconY);
    EXPECT_EQ(kBox.left + 31, look.text.left);
    EXPECT_EQ(kBox.top + 2, look.text.top);
    EXPECT_EQ(kBox.right, look.text.right);
    EXPECT_EQ(kBox.bottom, look.text.bottom);
}

TEST(ItemPlaces, WithoutIconsTheTextStartsAtTheLeftEdge) {
    EXPECT_EQ(kBox.left, LookOfItem(Request(Entire, 0, 3, false)).text.left);
}

TEST(EmptyList, OnlyTheFocusFrameWhenAsked) {
    for (int action : {int{Entire}, int{Select}, int{Focus}, Entire | Focus}) {
        const vantor::ItemLook look = LookOfItem(Request(action, Selected, -1));
        EXPECT_FALSE(look.drawsItem) << action;
        EXPECT_EQ((action & Focus) != 0, look.focusFrame) << action;
    }
}

}  // namespace
