// CServerListBox: the owner-drawn list of server locations. It paints over its
// own background bitmap, which stays at the control's origin whatever the
// list scrolls, with a small icon before each item's white text and its own
// selection colours.
#pragma once

#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/ImageList.h"
#include "framework/WindowSubclass.h"

class CServerListBox : public fw::CListBox, public fw::COwnerDrawControl, private fw::CWindowSubclass {
public:
    // Makes the icon list from bitmap resource 171 (white is transparent).
    CServerListBox();

    // Binds the object to the dialog's list control and takes over the
    // control's background erase and scrolling.
    bool AttachDlgItem(int id, HWND parent);
    // Takes the bitmap resource as background and repaints the list.
    bool LoadBackground(UINT resourceId);

    void DrawItem(const DRAWITEMSTRUCT& item) override;
    bool OnReflectedCommand(int notifyCode) override;
    HBRUSH OnReflectedCtlColor(HDC hdc) override;

private:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    fw::CBitmap m_background;
    HBRUSH m_hNullBrush;  // the stock null brush: nothing to delete
    fw::CImageList m_icons;
};
