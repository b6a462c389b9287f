#include "ServerListBox.h"

#include "ServerItemLook.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kUnselectedFill = RGB(46, 39, 45);  // an item while it loses the selection

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    fw::ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

COLORREF TextColour(vantor::ItemTextColour colour) {
    switch (colour) {
    case vantor::ItemTextColour::HighlightText: return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    case vantor::ItemTextColour::GreyText: return ::GetSysColor(COLOR_GRAYTEXT);
    default: return kWhite;
    }
}

}  // namespace

CServerListBox::CServerListBox() : m_hNullBrush(static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH))) {
    if (!m_icons.Create(20, 20, ILC_COLOR24 | ILC_MASK, 1, 0)) return;
    fw::CBitmap icon;
    if (icon.LoadBitmap(::GetModuleHandleA(nullptr), IDB_SERVERICON)) m_icons.AddMasked(icon.get(), kWhite);
}

bool CServerListBox::AttachDlgItem(int id, HWND parent) {
    if (!fw::CListBox::AttachDlgItem(id, parent)) return false;
    return Subclass(m_hWnd);
}

bool CServerListBox::LoadBackground(UINT resourceId) {
    bool loaded = m_background.LoadBitmap(::GetModuleHandleA(nullptr), resourceId);
    Invalidate();
    return loaded;
}

void CServerListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    vantor::ItemRequest request{};
    request.index = static_cast<int>(item.itemID);
    request.box = vantor::ItemBox{r.left, r.top, r.right, r.bottom};
    request.drawEntire = (item.itemAction & ODA_DRAWENTIRE) != 0;
    request.selectionChanged = (item.itemAction & ODA_SELECT) != 0;
    request.focusChanged = (item.itemAction & ODA_FOCUS) != 0;
    request.selected = (item.itemState & ODS_SELECTED) != 0;
    request.disabled = (item.itemState & ODS_DISABLED) != 0;
    request.hasIcons = static_cast<bool>(m_icons);
    const vantor::ItemLook look = vantor::LookOfItem(request);

    if (!look.drawsItem) {
        if (look.focusFrame) ::DrawFocusRect(dc, &r);
        return;
    }
    if (look.fill == vantor::ItemFill::Highlight) FillSolid(dc, r, ::GetSysColor(COLOR_HIGHLIGHT));
    if (look.fill == vantor::ItemFill::Unselected) FillSolid(dc, r, kUnselectedFill);
    if (look.focusFrame) ::DrawFocusRect(dc, &r);

    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF previousColour = ::SetTextColor(dc, TextColour(look.textColour));

    const int length = static_cast<int>(SendMessage(LB_GETTEXTLEN, item.itemID));
    std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    if (length > 0) SendMessage(LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    const int shown = length > 0 ? length : 0;

    if (m_icons) m_icons.Draw(0, dc, look.iconX, look.iconY);

    UINT format = DT_SINGLELINE | DT_VCENTER;
    if (::GetWindowLongPtrA(m_hWnd, GWL_STYLE) & LBS_USETABSTOPS) format |= DT_EXPANDTABS;
    RECT textRect{look.text.left, look.text.top, look.text.right, look.text.bottom};
    // Measuring shrinks the rectangle to the text, keeping its top-left corner.
    ::DrawTextA(dc, text.data(), shown, &textRect, format | DT_CALCRECT);
    ::DrawTextA(dc, text.data(), shown, &textRect, format);

    ::SetTextColor(dc, previousColour);
    ::SetBkMode(dc, previousMode);
}

bool CServerListBox::OnReflectedCommand(int notifyCode) {
    // The item that lost the selection was painted in the passing colour:
    // the next full repaint shows the background under it again.
    if (notifyCode == LBN_SELCHANGE) Invalidate(true);
    return false;
}

HBRUSH CServerListBox::OnReflectedCtlColor(HDC hdc) {
    ::SetBkMode(hdc, TRANSPARENT);
    ::SetTextColor(hdc, kWhite);
    return m_hNullBrush;
}

LRESULT CServerListBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        // The list's own erase then fills with the null brush: the bitmap stays.
        if (m_background) fw::DrawBitmap(reinterpret_cast<HDC>(wParam), m_background.get(), 0, 0);
        break;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_MOUSEWHEEL:
        // Scrolling would move the bitmap with the items: repaint it whole at the origin.
        Invalidate(true);
        break;
    default:
        break;
    }
    return DefaultProc(msg, wParam, lParam);
}
