#include "ServerListBox.h"

#include <string>
#include <vector>

bool CServerListBox::LoadBackground(UINT resourceId) {
    bool loaded = m_background.LoadBitmap(::GetModuleHandleA(nullptr), resourceId);
    Invalidate();
    return loaded;
}

void CServerListBox::MeasureItem(MEASUREITEMSTRUCT& item) { item.itemHeight = 20; }

void CServerListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    // Plain drawing of the item text; the themed drawing comes with the list's bitmaps.
    int length = static_cast<int>(SendMessage(LB_GETTEXTLEN, item.itemID));
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendMessage(LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::SetBkMode(item.hDC, OPAQUE);
    ::SetBkColor(item.hDC, selected ? RGB(58, 84, 136) : RGB(27, 42, 74));
    ::SetTextColor(item.hDC, RGB(255, 255, 255));
    RECT rc = item.rcItem;
    ::ExtTextOutA(item.hDC, rc.left + 4, rc.top + 2, ETO_OPAQUE, &rc, text.data(), static_cast<UINT>(length), nullptr);
}
