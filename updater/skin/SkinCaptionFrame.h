// CSkinCaptionFrame: a skinned frame with what a system caption would give:
// close, maximize and minimize buttons (hidden child windows skinned by
// CSkinButton, shown once anchored), a title drawn over the skin in an
// anchored rectangle, and maximizing limited to the desktop work area.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"
#include "skin/SkinButton.h"
#include "skin/SkinFrame.h"
#include "skin/SkinIcon.h"
#include "skin/SkinLabel.h"

class CSkinCaptionFrame : public CSkinFrame {
public:
    CSkinCaptionFrame() = default;
    ~CSkinCaptionFrame() override;

    // The frame's Attach, then the hidden child windows: close (ID 1),
    // maximize (5), minimize (4) buttons and the icon placeholder (3), each
    // with its skin. Any failure undoes everything and gives false.
    bool Attach(HWND hwnd, ISkinFrameListener* listener);
    // Unhooks and destroys the child windows; the anchor items stay with the
    // layout until the frame is destroyed.
    void Detach() override;

    // Anchors the close button to the top-right corner; the caller gives it
    // its bitmaps. Null when no item can be allocated.
    CSkinButton* AddCloseButton(int distanceFromRight, int y, int width, int height);
    // Stores the title, drawn in (x, y, x + width, y + height); the caller
    // sets font and colour on the returned label. Null when no item can be
    // allocated.
    CSkinLabel* SetCaption(const char* text, int x, int y, int width, int height);
    // Shows the button windows that have an anchor. True.
    bool ShowSystemButtons();

protected:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnGetMinMaxInfo(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void DrawOverlay(HDC backBufferDC) override;

private:
    bool CreateChild(fw::CWnd& child, const char* windowClass, int id);

    CSkinButton m_closeButton;
    CSkinButton m_maximizeButton;
    CSkinButton m_minimizeButton;
    fw::CButton m_closeWindow;
    fw::CButton m_maximizeWindow;
    fw::CButton m_minimizeWindow;
    CSkinLabel m_caption{DT_WORDBREAK};
    CSkinIcon m_icon;
    fw::CStatic m_iconWindow;
    CAnchorItem* m_pCloseItem = nullptr;  // the items belong to the layout
    CAnchorItem* m_pMinimizeItem = nullptr;
    CAnchorItem* m_pMaximizeItem = nullptr;
    CAnchorItem* m_pCaptionItem = nullptr;
    CAnchorItem* m_pIconItem = nullptr;
};
