#include "skin/SkinFrame.h"

#include <windowsx.h>

#include "skin/WindowRegion.h"
#include "skin/logic/CornerTrace.h"
#include "skin/logic/HitZones.h"
#include "skin/logic/SizingRules.h"

namespace sk = vantor::skin;

namespace {

// Read before any window exists and only read afterwards.
const SIZE g_sizeSizingFrame = {::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME)};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || ::GetObjectA(bitmap, sizeof(info), &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

SIZE SkinSizingFrame() { return g_sizeSizingFrame; }

bool EnsureBitmapSize(fw::ScopedGdiObject<HBITMAP>& bitmap, int cx, int cy) {
    const SIZE held = BitmapSize(bitmap.get());
    const sk::BackBufferChange change = sk::GrowBackBuffer(sk::Size{held.cx, held.cy}, sk::Size{cx, cy});
    if (!change.replace) return true;
    bitmap.reset();
    fw::ScopedWindowDC screen(nullptr);
    bitmap.reset(::CreateCompatibleBitmap(screen.get(), change.size.cx, change.size.cy));
    return true;
}

CSkinFrame::~CSkinFrame() { CSkinFrame::Detach(); }

bool CSkinFrame::Attach(HWND hwnd, ISkinFrameListener* listener) {
    m_sizeMinTrack = SIZE{0, 0};
    {
        fw::ScopedWindowDC windowDC(hwnd);
        if (!windowDC.get() || !m_backDC.CreateCompatibleDC(windowDC.get())) return false;
    }
    m_pListener = listener ? listener : this;
    if (!CWndHook::Attach(hwnd)) {
        m_backDC.DeleteDC();
        m_pListener = nullptr;
        return false;
    }
    return true;
}

void CSkinFrame::Detach() {
    CWndHook::Detach();
    ResetCornerRegions();
    m_skinDC.DeleteDC();
    m_backDC.DeleteDC();
    m_hSkin = nullptr;
    m_pListener = nullptr;
}

void CSkinFrame::ResetCornerRegions() {
    for (auto& region : m_cornerRegions) region.reset();
}

void CSkinFrame::ReadSizes() {
    RECT rect{};
    ::GetWindowRect(GetHookedWindow(), &rect);
    m_nWindowWidth = rect.right - rect.left;
    m_nWindowHeight = rect.bottom - rect.top;
    ::GetClientRect(GetHookedWindow(), &rect);
    m_nClientWidth = rect.right;
    m_nClientHeight = rect.bottom;
}

void CSkinFrame::SetFrameMetrics(int topCornerWidth, int topBandHeight, int bottomCornerWidth, int bottomBandHeight,
                                 int leftEdgeWidth, int rightEdgeWidth) {
    m_metrics = sk::MakeFrameMetrics(topCornerWidth, topBandHeight, bottomCornerWidth, bottomBandHeight,
                                     leftEdgeWidth, rightEdgeWidth);
    ReadSizes();
}

bool CSkinFrame::SetSkinBitmap(HBITMAP skin, COLORREF key) {
    {
        fw::ScopedWindowDC windowDC(GetHookedWindow());
        if (!windowDC.get() || !m_skinDC.CreateCompatibleDC(windowDC.get())) return false;
    }
    m_hSkin = skin;
    const SIZE size = BitmapSize(skin);
    m_nSkinWidth = size.cx;
    m_nSkinHeight = size.cy;
    ResetCornerRegions();

    const sk::Size skinSize{m_nSkinWidth, m_nSkinHeight};
    const sk::Corner corners[4] = {sk::Corner::kTopLeft, sk::Corner::kTopRight, sk::Corner::kBottomLeft,
                                   sk::Corner::kBottomRight};
    {
        fw::ScopedSelectObject selection(m_skinDC.get(), skin);
        for (int i = 0; i < 4; ++i) {
            const sk::CornerScan scan = sk::CornerScanFor(corners[i], m_metrics, skinSize);
            if (!scan.traced) continue;
            m_cornerRegions[i].reset(
                CreateCornerRegion(scan.x0, scan.y0, scan.lastColumn, scan.lastRow, key, m_skinDC.get()));
            if (!m_cornerRegions[i]) return false;
        }
    }
    const sk::Size minimum = sk::MinimumTrackSize(m_metrics);
    m_sizeMinTrack = SIZE{minimum.cx, minimum.cy};
    return true;
}

void CSkinFrame::Relayout(const RECT* rect) {
    HWND hwnd = GetHookedWindow();
    if (!hwnd) return;
    ReadSizes();
    ApplyLayout(m_nClientWidth, m_nClientHeight);
    if (m_nClientWidth != 0 && m_nClientHeight != 0) EnsureBitmapSize(m_backBuffer, m_nClientWidth, m_nClientHeight);
    BuildWindowRegion();
    ::InvalidateRect(hwnd, rect, TRUE);
}

bool CSkinFrame::IsResizable() const {
    return (::GetWindowLongA(GetHookedWindow(), GWL_STYLE) & WS_THICKFRAME) != 0;
}

LRESULT CSkinFrame::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DESTROY: return OnDestroy(hwnd, wParam, lParam);
        case WM_SIZE: return OnSize(hwnd, wParam, lParam);
        case WM_PAINT: return OnPaint(hwnd);
        case WM_ERASEBKGND: return 1;  // the paint covers everything
        case WM_NCCALCSIZE: return OnNcCalcSize(hwnd, wParam, lParam);
        case WM_NCHITTEST: return OnNcHitTest(hwnd, wParam, lParam);
        case WM_MOUSEMOVE: return OnMouseMove(hwnd, wParam, lParam);
        case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, wParam, lParam);
        case WM_LBUTTONUP: return OnLButtonUp(hwnd, wParam, lParam);
        case WM_SIZING: return OnSizing(hwnd, wParam, lParam);
        default: return CallPrevious(hwnd, msg, wParam, lParam);
    }
}

LRESULT CSkinFrame::OnNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(hwnd, WM_NCCALCSIZE, wParam, lParam);
}

LRESULT CSkinFrame::OnPaint(HWND hwnd) {
    {
        fw::CPaintDC paintDC(hwnd);
        int handled = 0;
        m_pListener->OnBeforePaint(this, paintDC.get(), &handled);
        if (!handled) PaintTo(paintDC.get());
        if (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CLIPCHILDREN) {
            for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                m_pListener->OnChildWindow(this, child);
        }
    }
    return 0;
}

void CSkinFrame::PaintTo(HDC target) {
    if (!m_backDC) return;
    HDC back = m_backDC.get();
    fw::ScopedSelectObject bufferSelection(back, m_backBuffer.get());
    ::SetStretchBltMode(target, COLORONCOLOR);
    ::SetStretchBltMode(back, COLORONCOLOR);
    fw::ScopedSelectObject skinSelection(m_skinDC.get(), m_hSkin);
    HDC skin = m_skinDC.get();

    const auto pieces = sk::PlanSkinPieces(m_metrics, sk::Size{m_nSkinWidth, m_nSkinHeight},
                                           sk::Size{m_nClientWidth, m_nClientHeight});
    for (const sk::SkinPiece& piece : pieces) {
        if (!piece.drawn) continue;
        switch (piece.part) {
            case sk::SkinPart::kTopLeft: DrawTopLeft(back, piece, skin); break;
            case sk::SkinPart::kTopRight: DrawTopRight(back, piece, skin); break;
            case sk::SkinPart::kBottomLeft: DrawBottomLeft(back, piece, skin); break;
            case sk::SkinPart::kBottomRight: DrawBottomRight(back, piece, skin); break;
            case sk::SkinPart::kTopBand: DrawTopBand(back, piece, skin); break;
            case sk::SkinPart::kBottomBand: DrawBottomBand(back, piece, skin); break;
            case sk::SkinPart::kLeftEdge: DrawLeftEdge(back, piece, skin); break;
            case sk::SkinPart::kRightEdge: DrawRightEdge(back, piece, skin); break;
            case sk::SkinPart::kBody: DrawBody(back, piece, skin); break;
        }
    }
    DrawOverlay(back);
    m_pListener->OnAfterPaint(this, back);
    ::BitBlt(target, 0, 0, m_nClientWidth, m_nClientHeight, back, 0, 0, SRCCOPY);
}

void CSkinFrame::DrawPiece(HDC dest, const sk::SkinPiece& piece, HDC skin) {
    const sk::Rect& d = piece.destination;
    const sk::Rect& s = piece.source;
    if (piece.stretched)
        ::StretchBlt(dest, d.left, d.top, d.Width(), d.Height(), skin, s.left, s.top, s.Width(), s.Height(), SRCCOPY);
    else
        ::BitBlt(dest, d.left, d.top, d.Width(), d.Height(), skin, s.left, s.top, SRCCOPY);
}

void CSkinFrame::DrawTopLeft(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawTopRight(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawBottomLeft(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawBottomRight(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawTopBand(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawBottomBand(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawLeftEdge(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawRightEdge(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }
void CSkinFrame::DrawBody(HDC dest, const sk::SkinPiece& piece, HDC skin) { DrawPiece(dest, piece, skin); }

LRESULT CSkinFrame::OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // The window gets its own procedure back before it goes.
    const LRESULT result = CallPrevious(hwnd, WM_DESTROY, wParam, lParam);
    Detach();
    return result;
}

LRESULT CSkinFrame::OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MINIMIZED) return CallPrevious(hwnd, WM_SIZE, wParam, lParam);
    const int width = LOWORD(lParam), height = HIWORD(lParam);
    ApplyLayout(width, height);
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    m_nWindowWidth = rect.right - rect.left;
    m_nWindowHeight = rect.bottom - rect.top;
    m_nClientWidth = width;
    m_nClientHeight = height;
    if (width != 0 && height != 0) EnsureBitmapSize(m_backBuffer, width, height);
    BuildWindowRegion();
    const LRESULT result = CallPrevious(hwnd, WM_SIZE, wParam, lParam);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return result;
}

LRESULT CSkinFrame::OnSizing(HWND, WPARAM wParam, LPARAM lParam) {
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    if (!proposed) return TRUE;
    const sk::Rect clamped = sk::ClampSizingRect(static_cast<int>(wParam),
                                                 sk::Rect{proposed->left, proposed->top, proposed->right, proposed->bottom},
                                                 sk::Size{m_sizeMinTrack.cx, m_sizeMinTrack.cy});
    ::SetRect(proposed, clamped.left, clamped.top, clamped.right, clamped.bottom);
    return TRUE;
}

LRESULT CSkinFrame::OnNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // Signed: screens left of or above the primary one have negative positions.
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(hwnd, &point);
    const sk::HitCode code = sk::HitTestFrame(sk::Point{point.x, point.y}, sk::Size{m_nClientWidth, m_nClientHeight},
                                              m_metrics.captionHeight, IsResizable());
    if (code != sk::kHitPassOn) return code;
    return CallPrevious(hwnd, WM_NCHITTEST, wParam, lParam);
}

LRESULT CSkinFrame::OnLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT CSkinFrame::OnLButtonUp(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return CallPrevious(hwnd, WM_LBUTTONUP, wParam, lParam);
}

LRESULT CSkinFrame::OnMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (::GetCapture() == hwnd) ::ReleaseCapture();
    return CallPrevious(hwnd, WM_MOUSEMOVE, wParam, lParam);
}
