#include "skin/SkinButton.h"

#include "framework/WindowText.h"

namespace sk = vantor::skin;

bool CSkinButton::Attach(HWND hwnd) {
    Detach();
    if (!CWndHook::Attach(hwnd)) return false;
    const SIZE client = HookedClientSize();
    m_nWidth = client.cx;
    m_nHeight = client.cy;
    fw::ScopedWindowDC windowDC(hwnd);
    m_bitmapDC.CreateCompatibleDC(windowDC.get());
    m_strText = fw::GetWindowTextString(hwnd);
    return true;
}

void CSkinButton::Detach() {
    CWndHook::Detach();
    m_nWidth = m_nHeight = 0;
    m_bitmapDC.DeleteDC();
}

bool CSkinButton::SetBitmaps(HBITMAP normal, HBITMAP pressed, HBITMAP hover, int fit) {
    if (!normal || !pressed || !hover) return false;
    Face* faces[3] = {&m_normal, &m_pressed, &m_hover};
    HBITMAP bitmaps[3] = {normal, pressed, hover};
    for (int i = 0; i < 3; ++i) {
        BITMAP info{};
        ::GetObjectA(bitmaps[i], sizeof(info), &info);
        *faces[i] = Face{bitmaps[i], info.bmWidth, info.bmHeight};
    }
    if (fit) {
        m_nWidth = m_normal.width;
        m_nHeight = m_normal.height;
    }
    return true;
}

LRESULT CSkinButton::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: {
            const LRESULT result = CallPrevious(hwnd, msg, wParam, lParam);
            m_nWidth = LOWORD(lParam);
            m_nHeight = HIWORD(lParam);
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            return 0;
        case WM_SETTEXT:  // only what is drawn changes; the window keeps its text
            m_strText = lParam ? reinterpret_cast<const char*>(lParam) : "";
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 1;
        case WM_PAINT: {
            fw::CPaintDC paintDC(hwnd);
            PaintTo(paintDC.get());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_UPDATEUISTATE:
            return 0;
        case WM_MOUSEMOVE: return OnMouseMove(hwnd, lParam);
        case WM_LBUTTONDOWN: return OnButtonDown(hwnd, lParam);
        case WM_LBUTTONUP: return OnButtonUp(hwnd, lParam);
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return 0;
        case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, lParam);
        case WM_IME_SETCONTEXT: return 0;
        default: return CallPrevious(hwnd, msg, wParam, lParam);
    }
}

void CSkinButton::Carry(HWND hwnd, const sk::ButtonReaction& reaction) {
    if (reaction.takeCapture) ::SetCapture(hwnd);
    if (reaction.releaseCapture) ::ReleaseCapture();  // WM_CAPTURECHANGED follows at once
    if (reaction.repaint) RepaintNow();
}

LRESULT CSkinButton::OnButtonDown(HWND hwnd, LPARAM lParam) {
    const bool inside = sk::IsInsideButton(static_cast<uint32_t>(lParam), m_nWidth, m_nHeight);
    Carry(hwnd, m_tracker.ButtonDown(inside, ::GetCapture() == hwnd));
    return 0;
}

LRESULT CSkinButton::OnButtonUp(HWND hwnd, LPARAM lParam) {
    const bool inside = sk::IsInsideButton(static_cast<uint32_t>(lParam), m_nWidth, m_nHeight);
    const sk::ButtonReaction reaction = m_tracker.ButtonUp(inside, ::GetCapture() == hwnd);
    Carry(hwnd, reaction);
    // Last: the parent may close and destroy this button while handling it.
    if (reaction.sendCommand) {
        const int id = ::GetDlgCtrlID(hwnd);
        ::SendMessageA(::GetParent(hwnd), WM_COMMAND, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(hwnd));
    }
    return 0;
}

LRESULT CSkinButton::OnMouseMove(HWND hwnd, LPARAM lParam) {
    const bool inside = sk::IsInsideButton(static_cast<uint32_t>(lParam), m_nWidth, m_nHeight);
    Carry(hwnd, m_tracker.MouseMove(inside, ::GetCapture() == hwnd));
    return 0;
}

LRESULT CSkinButton::OnCaptureChanged(HWND hwnd, LPARAM lParam) {
    const bool gainerIsSelf = reinterpret_cast<HWND>(lParam) == hwnd;
    if (m_tracker.CaptureChanged(gainerIsSelf, ::IsWindowEnabled(hwnd) != FALSE)) {
        fw::ScopedWindowDC dc(hwnd);
        if (dc.get()) DrawLook(dc.get(), sk::ButtonLook::kNormal);
    }
    return 0;
}

void CSkinButton::PaintTo(HDC dc) {
    HWND hwnd = GetHookedWindow();
    const bool enabled = hwnd && ::IsWindowEnabled(hwnd);
    DrawLook(dc, m_tracker.PaintLook(enabled, hwnd && ::GetCapture() == hwnd));
}

void CSkinButton::DrawFace(HDC dc, const Face& face) {
    ::SetBkMode(dc, TRANSPARENT);
    ::SetStretchBltMode(dc, COLORONCOLOR);
    if (!face.bitmap || !m_bitmapDC) return;  // never given bitmaps: only the text
    fw::ScopedSelectObject selection(m_bitmapDC.get(), face.bitmap);
    ::StretchBlt(dc, 0, 0, m_nWidth, m_nHeight, m_bitmapDC.get(), 0, 0, face.width, face.height, SRCCOPY);
}

void CSkinButton::DrawLook(HDC dc, sk::ButtonLook look) {
    if (look == sk::ButtonLook::kDisabled) {
        DrawFace(dc, m_normal);
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &extent);
        // Embossed grey text at a fixed place, whatever the button's size.
        ::DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_strText.c_str()), 0, 12, 4, extent.cx,
                     extent.cy, DST_PREFIXTEXT | DSS_DISABLED);
        return;
    }
    const Face& face = look == sk::ButtonLook::kPressed ? m_pressed : look == sk::ButtonLook::kHover ? m_hover : m_normal;
    DrawFace(dc, face);
    ::SetTextColor(dc, m_crText);
    RECT rect{0, 0, m_nWidth, m_nHeight};
    ::DrawTextA(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &rect,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
