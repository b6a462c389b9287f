#include "skin/SkinProgress.h"

#include <string>

#include "framework/Gdi.h"
#include "skin/SkinDraw.h"
#include "skin/logic/ProgressLayout.h"

namespace sk = vantor::skin;

bool CSkinProgress::Attach(HWND hwnd) {
    Detach();
    if (!CWndHook::Attach(hwnd)) return false;
    const SIZE client = HookedClientSize();
    m_nWidth = client.cx;
    m_nHeight = client.cy;
    fw::ScopedWindowDC dc(hwnd);
    if (!dc.get()) {
        Detach();
        return false;
    }
    return true;
}

void CSkinProgress::Repaint() { RepaintNow(); }

bool CSkinProgress::SetRange(int range) {
    m_nRange = range;
    Repaint();
    return true;
}

bool CSkinProgress::SetPos(int position) {
    m_nPos = position;
    Repaint();
    return true;
}

void CSkinProgress::SetColors(COLORREF fill, COLORREF empty, COLORREF frameBottomRight, COLORREF frameTopLeft) {
    m_crFill = fill;
    m_crEmpty = empty;
    m_crFrameBottomRight = frameBottomRight;
    m_crFrameTopLeft = frameTopLeft;
}

LRESULT CSkinProgress::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: {
            const LRESULT result = CallPrevious(hwnd, msg, wParam, lParam);
            m_nWidth = LOWORD(lParam);
            m_nHeight = HIWORD(lParam);
            return result;
        }
        case WM_PAINT: {
            fw::CPaintDC paintDC(hwnd);
            PaintTo(paintDC.get());
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_NCPAINT: {
            CallPrevious(hwnd, msg, wParam, lParam);
            RECT window{};
            ::GetWindowRect(hwnd, &window);
            HDC dc = ::GetWindowDC(hwnd);
            if (dc) {
                PaintFrameTo(dc, window.right - window.left, window.bottom - window.top);
                ::ReleaseDC(hwnd, dc);
            }
            return 0;
        }
        default: return CallPrevious(hwnd, msg, wParam, lParam);
    }
}

void CSkinProgress::PaintFrameTo(HDC dc, int width, int height) {
    SkinDrawFrameRect(dc, 0, 0, width, height, m_crFrameTopLeft, m_crFrameBottomRight);
}

void CSkinProgress::PaintTo(HDC dc) {
    const sk::ProgressPaint plan = sk::PlanProgressPaint(m_nStyle, m_nPos, m_nRange, sk::Size{m_nWidth, m_nHeight});
    if (m_nStyle & sk::kProgressSolid) {
        for (const sk::Rect& r : plan.done) SkinFillRect(dc, r.left, r.top, r.Width(), r.Height(), m_crFill);
    } else if (!plan.done.empty()) {
        // Each block has a one-pixel outline in the empty colour, which
        // separates neighbours by two pixels.
        fw::ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(m_crFill));
        fw::ScopedGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, m_crEmpty));
        fw::ScopedSelectObject brushSelection(dc, brush.get());
        fw::ScopedSelectObject penSelection(dc, pen.get());
        for (const sk::Rect& r : plan.done) ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
    if (plan.hasEmpty)
        SkinFillRect(dc, plan.empty.left, plan.empty.top, plan.empty.Width(), plan.empty.Height(), m_crEmpty);
    if (m_nStyle & sk::kProgressPercentText) {
        ::SetBkMode(dc, TRANSPARENT);
        const std::string text = sk::ProgressPercentText(m_nPos, m_nRange);
        ::SetTextColor(dc, m_crText);
        RECT rect{0, 0, m_nWidth, m_nHeight};
        ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
