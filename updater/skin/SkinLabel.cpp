#include "skin/SkinLabel.h"

#include <cstring>

#include "framework/WindowText.h"
#include "skin/SkinFrame.h"

bool CSkinLabel::Attach(HWND hwnd) {
    Detach();
    if (!hwnd) return true;
    if (!CWndHook::Attach(hwnd)) return false;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    bool made = false;
    {
        fw::ScopedWindowDC windowDC(hwnd);
        made = windowDC.get() && m_bufferDC.CreateCompatibleDC(windowDC.get());
    }
    if (!made) {
        Detach();
        return false;
    }
    EnsureBitmapSize(m_buffer, client.right, client.bottom);
    m_nWidth = client.right;
    m_nHeight = client.bottom;
    m_strText = fw::GetWindowTextString(hwnd);
    return true;
}

void CSkinLabel::Detach() {
    CWndHook::Detach();
    m_font = fw::CFont();
    m_bitmapDC.DeleteDC();
    m_hBackground = nullptr;
    m_bufferDC.DeleteDC();
}

void CSkinLabel::SetText(const char* text) {
    m_strText = text ? text : "";
    HWND hwnd = GetHookedWindow();
    if (!hwnd) return;
    if (m_hBackground) {
        RepaintNow();
        return;
    }
    HWND parent = ::GetParent(hwnd);
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    ::InvalidateRect(parent, &rect, FALSE);
    ::UpdateWindow(parent);
    // The parent's paint covers this label (it does not clip its children),
    // and UpdateWindow paints only the parent: draw the text again at once,
    // so that it shows while the thread is busy before the next message loop.
    RepaintNow();
}

bool CSkinLabel::SetFont(const char* faceName, int height, int weight) {
    m_font = fw::CFont();
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName) {
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
        lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    }
    return m_font.CreateFontIndirect(lf);
}

bool CSkinLabel::SetBackgroundBitmap(HBITMAP bitmap) {
    m_hBackground = bitmap;
    BITMAP info{};
    if (bitmap) ::GetObjectA(bitmap, sizeof(info), &info);
    m_nBitmapWidth = info.bmWidth;
    m_nBitmapHeight = info.bmHeight;
    HWND hwnd = GetHookedWindow();
    if (!hwnd) return false;
    if (m_bitmapDC) return true;
    fw::ScopedWindowDC windowDC(hwnd);
    return windowDC.get() && m_bitmapDC.CreateCompatibleDC(windowDC.get());
}

LRESULT CSkinLabel::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: return OnSize(hwnd, wParam, lParam);
        case WM_SETTEXT:  // only what is drawn changes; the window keeps its text
            m_strText = lParam ? reinterpret_cast<const char*>(lParam) : "";
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 1;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: return OnPaint(hwnd);
        default: return CallPrevious(hwnd, msg, wParam, lParam);
    }
}

LRESULT CSkinLabel::OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallPrevious(hwnd, WM_SIZE, wParam, lParam);
    EnsureBitmapSize(m_buffer, LOWORD(lParam), HIWORD(lParam));
    m_nWidth = LOWORD(lParam);
    m_nHeight = HIWORD(lParam);
    return result;
}

LRESULT CSkinLabel::OnPaint(HWND hwnd) {
    fw::CPaintDC paintDC(hwnd);
    PaintTo(paintDC.get());
    return 0;
}

void CSkinLabel::PaintTo(HDC dc) {
    if (m_hBackground && m_bitmapDC && m_bufferDC) {
        ::SetStretchBltMode(m_bufferDC.get(), COLORONCOLOR);
        fw::ScopedSelectObject bitmapSelection(m_bitmapDC.get(), m_hBackground);
        fw::ScopedSelectObject bufferSelection(m_bufferDC.get(), m_buffer.get());
        ::StretchBlt(m_bufferDC.get(), 0, 0, m_nWidth, m_nHeight, m_bitmapDC.get(), 0, 0, m_nBitmapWidth,
                     m_nBitmapHeight, SRCCOPY);
        ::BitBlt(dc, 0, 0, m_nWidth, m_nHeight, m_bufferDC.get(), 0, 0, SRCCOPY);
    }
    // Without a bitmap nothing is drawn under the text: the parent shows through.
    DrawLabelText(dc, RECT{0, 0, m_nWidth, m_nHeight});
}

void CSkinLabel::DrawLabelText(HDC dc, RECT rect) const {
    ::SetBkMode(dc, TRANSPARENT);
    if (m_crText != CLR_INVALID) ::SetTextColor(dc, m_crText);
    HGDIOBJ previous = m_font.get() ? ::SelectObject(dc, m_font.get()) : nullptr;
    ::DrawTextA(dc, m_strText.c_str(), static_cast<int>(m_strText.size()), &rect, m_uFormat);
    if (previous) ::SelectObject(dc, previous);
}
