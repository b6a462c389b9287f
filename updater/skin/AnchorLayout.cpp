#include "skin/AnchorLayout.h"

#include <new>

namespace sk = vantor::skin;

void CAnchorItem::Set(HWND hwnd, BOOL repaint, const sk::AnchorRules& rules) {
    m_hWnd = hwnd;
    m_bRepaint = repaint;
    m_rules = rules;
}

void CAnchorItem::AnchorTopLeft(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    Set(hwnd, repaint, sk::AnchorTopLeft(x, y, width, height));
}

void CAnchorItem::AnchorTopRight(HWND hwnd, int distanceFromRight, int y, int width, int height, BOOL repaint) {
    Set(hwnd, repaint, sk::AnchorTopRight(distanceFromRight, y, width, height));
}

void CAnchorItem::AnchorBottomLeft(HWND hwnd, int x, int distanceFromBottom, int width, int height, BOOL repaint) {
    Set(hwnd, repaint, sk::AnchorBottomLeft(x, distanceFromBottom, width, height));
}

void CAnchorItem::AnchorBottomRight(HWND hwnd, int distanceFromRight, int distanceFromBottom, int width, int height,
                                    BOOL repaint) {
    Set(hwnd, repaint, sk::AnchorBottomRight(distanceFromRight, distanceFromBottom, width, height));
}

void CAnchorItem::AnchorBottomStretch(HWND hwnd, int x, int distanceFromBottom, int distanceFromRight, int height,
                                      BOOL repaint) {
    Set(hwnd, repaint, sk::AnchorBottomStretch(x, distanceFromBottom, distanceFromRight, height));
}

void CAnchorItem::Apply(int parentWidth, int parentHeight, RECT* out) const {
    const sk::Rect r = sk::ApplyAnchorRules(m_rules, sk::Size{parentWidth, parentHeight});
    if (m_hWnd) {
        ::MoveWindow(m_hWnd, r.left, r.top, r.Width(), r.Height(), m_bRepaint);
    } else if (out) {
        ::SetRect(out, r.left, r.top, r.right, r.bottom);
    }
}

CAnchorItem* CAnchorLayout::Add() {
    std::unique_ptr<CAnchorItem> item(new (std::nothrow) CAnchorItem);
    if (!item) return nullptr;
    try {
        m_items.push_back(std::move(item));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return m_items.back().get();
}

void CAnchorLayout::ApplyAll(int parentWidth, int parentHeight) const {
    for (const auto& item : m_items) item->Apply(parentWidth, parentHeight, nullptr);
}
