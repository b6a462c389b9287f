// How the server list paints one item: which fill, whether the focus frame is
// drawn, where the icon and the text go and in which colour. Kept free of the
// platform so that the rules are tested natively; ServerListBox.cpp carries
// them out with GDI.
#pragma once

namespace vantor {

struct ItemBox {
    int left, top, right, bottom;
};

// What the list asks for (the owner-draw action and item state).
struct ItemRequest {
    int index;  // negative when the list is empty
    ItemBox box;
    bool drawEntire, selectionChanged, focusChanged;
    bool selected, disabled;
    bool hasIcons;  // the icon list exists
};

enum class ItemFill { None, Highlight, Unselected };
enum class ItemTextColour { HighlightText, White, GreyText };

struct ItemLook {
    bool drawsItem;   // false for an empty list: at most the focus frame
    ItemFill fill;    // None lets the list's background bitmap show
    bool focusFrame;
    int iconX, iconY;
    ItemBox text;     // before it is shrunk to the measured text
    ItemTextColour textColour;
};

inline ItemLook LookOfItem(const ItemRequest& r) {
    ItemLook look{};
    look.focusFrame = r.focusChanged;
    if (r.index < 0) return look;
    look.drawsItem = true;
    // The 20-pixel icon and the text overlap by 4 pixels.
    look.iconX = r.box.left + 15;
    look.iconY = r.box.top;
    look.text = ItemBox{r.hasIcons ? r.box.left + 31 : r.box.left, r.box.top + 2, r.box.right, r.box.bottom};
    if (r.selected && (r.drawEntire || r.selectionChanged))
        look.fill = ItemFill::Highlight;
    else if (!r.selected && r.selectionChanged)
        look.fill = ItemFill::Unselected;
    else
        look.fill = ItemFill::None;
    if (r.selected)
        look.textColour = ItemTextColour::HighlightText;
    else
        look.textColour = r.disabled ? ItemTextColour::GreyText : ItemTextColour::White;
    return look;
}

}  // namespace vantor
