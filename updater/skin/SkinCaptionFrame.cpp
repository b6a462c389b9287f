#include "skin/SkinCaptionFrame.h"

#include "skin/logic/CaptionRules.h"

namespace sk = vantor::skin;

CSkinCaptionFrame::~CSkinCaptionFrame() { CSkinCaptionFrame::Detach(); }

bool CSkinCaptionFrame::CreateChild(fw::CWnd& child, const char* windowClass, int id) {
    HWND parent = GetHookedWindow();
    HWND hwnd = ::CreateWindowExA(0, windowClass, "", WS_CHILD, 0, 0, 1, 1, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    return child.Attach(hwnd);
}

bool CSkinCaptionFrame::Attach(HWND hwnd, ISkinFrameListener* listener) {
    Detach();
    const bool attached = CSkinFrame::Attach(hwnd, listener) &&
                          CreateChild(m_closeWindow, "BUTTON", sk::kCloseButtonId) &&
                          m_closeButton.Attach(m_closeWindow) &&
                          CreateChild(m_maximizeWindow, "BUTTON", sk::kMaximizeButtonId) &&
                          m_maximizeButton.Attach(m_maximizeWindow) &&
                          CreateChild(m_minimizeWindow, "BUTTON", sk::kMinimizeButtonId) &&
                          m_minimizeButton.Attach(m_minimizeWindow) && m_caption.Attach(nullptr) &&
                          CreateChild(m_iconWindow, "STATIC", sk::kIconId) && m_icon.Attach(m_iconWindow);
    if (!attached) Detach();
    return attached;
}

void CSkinCaptionFrame::Detach() {
    m_closeButton.Detach();
    m_minimizeButton.Detach();
    m_maximizeButton.Detach();
    m_icon.Detach();
    for (fw::CWnd* child : {static_cast<fw::CWnd*>(&m_iconWindow), static_cast<fw::CWnd*>(&m_closeWindow),
                            static_cast<fw::CWnd*>(&m_minimizeWindow), static_cast<fw::CWnd*>(&m_maximizeWindow)}) {
        if (child->GetSafeHwnd()) ::DestroyWindow(child->GetSafeHwnd());
        child->Attach(nullptr);
    }
    CSkinFrame::Detach();
    m_pCloseItem = m_pMinimizeItem = m_pMaximizeItem = m_pCaptionItem = m_pIconItem = nullptr;
}

CSkinButton* CSkinCaptionFrame::AddCloseButton(int distanceFromRight, int y, int width, int height) {
    CAnchorItem* item = AddAnchorItem();
    if (!item) return nullptr;
    item->AnchorTopRight(m_closeWindow, distanceFromRight, y, width, height, TRUE);
    m_pCloseItem = item;
    return &m_closeButton;
}

CSkinLabel* CSkinCaptionFrame::SetCaption(const char* text, int x, int y, int width, int height) {
    CAnchorItem* item = AddAnchorItem();
    if (!item) return nullptr;
    item->AnchorTopLeft(nullptr, x, y, width, height, TRUE);
    m_caption.SetText(text);
    m_pCaptionItem = item;
    return &m_caption;
}

bool CSkinCaptionFrame::ShowSystemButtons() {
    if (m_pCloseItem) m_closeWindow.ShowWindow(SW_SHOW);
    if (m_pMinimizeItem) m_minimizeWindow.ShowWindow(SW_SHOW);
    if (m_pMaximizeItem) m_maximizeWindow.ShowWindow(SW_SHOW);
    if (m_pIconItem) m_iconWindow.ShowWindow(SW_SHOW);
    return true;
}

LRESULT CSkinCaptionFrame::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) {
        // Nothing of this object is touched after the command: closing may
        // destroy the window and detach the frame on the way.
        switch (sk::CaptionCommand(static_cast<uint32_t>(wParam), ::IsZoomed(hwnd) != FALSE)) {
            case sk::CaptionAction::kClose: ::SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
            case sk::CaptionAction::kMinimize: ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); return 0;
            case sk::CaptionAction::kMaximize: ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0); return 0;
            case sk::CaptionAction::kRestore: ::SendMessageA(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0); return 0;
            case sk::CaptionAction::kNone: break;
        }
    }
    if (msg == WM_GETMINMAXINFO) return OnGetMinMaxInfo(hwnd, wParam, lParam);
    const LRESULT result = CSkinFrame::WindowProc(hwnd, msg, wParam, lParam);
    if (msg == WM_SIZE) {
        if (m_pCloseItem) ::InvalidateRect(m_closeWindow, nullptr, TRUE);
        if (m_pMinimizeItem) ::InvalidateRect(m_minimizeWindow, nullptr, TRUE);
        if (m_pMaximizeItem) ::InvalidateRect(m_maximizeWindow, nullptr, TRUE);
    }
    return result;
}

LRESULT CSkinCaptionFrame::OnGetMinMaxInfo(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    RECT work{};
    if (info && ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
        const SIZE frame = SkinSizingFrame();
        const sk::MaximizedBounds bounds = sk::MaximizedBoundsFor(sk::Rect{work.left, work.top, work.right, work.bottom},
                                                                  IsResizable(), sk::Size{frame.cx, frame.cy});
        info->ptMaxSize = POINT{bounds.maxSize.x, bounds.maxSize.y};
        info->ptMaxPosition = POINT{bounds.maxPosition.x, bounds.maxPosition.y};
    }
    return CSkinFrame::WindowProc(hwnd, WM_GETMINMAXINFO, wParam, lParam);
}

void CSkinCaptionFrame::DrawOverlay(HDC backBufferDC) {
    if (!m_pCaptionItem) return;
    const SIZE client = GetClientSize();
    RECT rect{};
    m_pCaptionItem->Apply(client.cx, client.cy, &rect);
    m_caption.DrawLabelText(backBufferDC, rect);
}
