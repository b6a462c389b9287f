// Anchored rectangles of a skinned window: each item keeps a child window (or
// just a rectangle, for the caption text) at fixed distances from chosen
// edges of the parent's client area. The rules are those of
// skin/logic/Anchor.h; these classes keep them and move the windows.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "skin/logic/Anchor.h"

class CAnchorItem {
public:
    // Each rule set is called once, right after the item is added.
    void AnchorTopLeft(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
    void AnchorTopRight(HWND hwnd, int distanceFromRight, int y, int width, int height, BOOL repaint);
    void AnchorBottomLeft(HWND hwnd, int x, int distanceFromBottom, int width, int height, BOOL repaint);
    void AnchorBottomRight(HWND hwnd, int distanceFromRight, int distanceFromBottom, int width, int height,
                           BOOL repaint);
    void AnchorBottomStretch(HWND hwnd, int x, int distanceFromBottom, int distanceFromRight, int height,
                             BOOL repaint);

    // With a window: moves it to the computed rectangle (negative or inverted
    // sizes included, as computed). Without one: writes the rectangle to
    // `out` when given. With neither nothing happens.
    void Apply(int parentWidth, int parentHeight, RECT* out) const;

    HWND GetWindow() const { return m_hWnd; }

private:
    void Set(HWND hwnd, BOOL repaint, const vantor::skin::AnchorRules& rules);

    HWND m_hWnd = nullptr;
    BOOL m_bRepaint = FALSE;
    vantor::skin::AnchorRules m_rules{};
};

// The items of one window in insertion order; owned, freed with the layout.
class CAnchorLayout {
public:
    // A new empty item at the end; null when it cannot be allocated.
    CAnchorItem* Add();
    // Every item with a window is moved; window-less items only answer Apply.
    void ApplyAll(int parentWidth, int parentHeight) const;

private:
    std::vector<std::unique_ptr<CAnchorItem>> m_items;
};
