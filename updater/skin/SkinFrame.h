// CSkinFrame: a top-level window painted from one skin bitmap cut into nine
// parts (corners 1:1, bands, edges and body stretched), composed off-screen
// and copied to the screen in one blit. It shapes the window from the skin's
// corners, turns a strip at the top into a caption (and, with a thick frame,
// eight sizing zones) and keeps anchored children in place on every resize.
// The arithmetic lives in skin/logic; this class makes the calls.
#pragma once

#include <windows.h>

#include <array>

#include "framework/Gdi.h"
#include "skin/AnchorLayout.h"
#include "skin/WndHook.h"
#include "skin/logic/NinePart.h"
#include "skin/logic/SkinTypes.h"

class CSkinFrame;

// Lets an owner take part in painting and shaping. Every operation is empty
// by default and leaves its out-parameters alone.
class ISkinFrameListener {
public:
    virtual ~ISkinFrameListener() = default;
    // After every region assembly. `*use` starts as `region`; a listener may
    // point it at a region of its own: with *keep != 0 the window takes that
    // region over, with 0 the window gets a copy and the listener keeps it.
    virtual void OnRegionBuilt(int /*resizable*/, HRGN /*region*/, HRGN* /*use*/, int* /*keep*/) {}
    // Setting *handled to non-zero skips the skinned paint.
    virtual void OnBeforePaint(CSkinFrame* /*frame*/, HDC /*paintDC*/, int* /*handled*/) {}
    // The skin is in the back buffer; it has not reached the screen yet.
    virtual void OnAfterPaint(CSkinFrame* /*frame*/, HDC /*backBufferDC*/) {}
    // Once per child after painting, only for a WS_CLIPCHILDREN window.
    virtual void OnChildWindow(CSkinFrame* /*frame*/, HWND /*child*/) {}
};

// Makes `bitmap` at least cx × cy (screen-compatible); it only ever grows, so
// a window that shrinks keeps its buffer. Always true.
bool EnsureBitmapSize(fw::ScopedGdiObject<HBITMAP>& bitmap, int cx, int cy);

// The sizing-frame thickness (SM_CXFRAME, SM_CYFRAME), read once at start-up.
SIZE SkinSizingFrame();

class CSkinFrame : public CWndHook, public ISkinFrameListener {
public:
    CSkinFrame() = default;
    ~CSkinFrame() override;

    // Creates the back-buffer DC and subclasses the window. listener: null
    // for the frame's own empty operations. False when no DC can be had or
    // the window cannot be hooked (already hooked included).
    bool Attach(HWND hwnd, ISkinFrameListener* listener);
    // Unhooks and releases the DCs, the corner regions and the skin bitmap
    // (which stays the caller's). The back buffer and the anchor items stay.
    virtual void Detach();

    // Both top corners share the first width, both bottom corners the third;
    // the caption is as high as the top band. Reads the window's sizes.
    void SetFrameMetrics(int topCornerWidth, int topBandHeight, int bottomCornerWidth, int bottomBandHeight,
                         int leftEdgeWidth, int rightEdgeWidth);
    // Takes the skin (not owned: keep it alive while attached), traces the
    // four corner regions with the key colour and sets the minimum track
    // size. False when the skin DC cannot be made or a corner cannot be
    // traced (the corners traced before it are kept).
    bool SetSkinBitmap(HBITMAP skin, COLORREF key);
    // Lays out the anchors for the current client size, grows the back
    // buffer, rebuilds the region and invalidates `rect` (null: everything).
    void Relayout(const RECT* rect);
    CAnchorItem* AddAnchorItem() { return m_layout.Add(); }
    bool IsResizable() const;

    // Composes the nine parts (and what a derived frame overlays) in the back
    // buffer and copies (0, 0, W, H) onto `target`. WM_PAINT does this on the
    // paint DC; anything else (a test, a print) may pass its own DC.
    void PaintTo(HDC target);

    SIZE GetMinTrackSize() const { return m_sizeMinTrack; }
    SIZE GetClientSize() const { return SIZE{m_nClientWidth, m_nClientHeight}; }
    const vantor::skin::FrameMetrics& GetFrameMetrics() const { return m_metrics; }

protected:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnPaint(HWND hwnd);
    virtual LRESULT OnDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnSizing(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnLButtonUp(HWND hwnd, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam);

    // One piece each, from the skin DC into the back buffer. A derived frame
    // may replace one; the default blits the piece as planned.
    virtual void DrawTopLeft(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawTopRight(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawBottomLeft(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawBottomRight(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawTopBand(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawBottomBand(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawLeftEdge(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawRightEdge(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    virtual void DrawBody(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    // Drawn into the back buffer after the nine parts, before the listener's
    // OnAfterPaint (the caption frame's title text).
    virtual void DrawOverlay(HDC /*backBufferDC*/) {}

    // The window's shape from the corner regions and the cover rectangles,
    // handed to the window (which owns it from then on).
    void BuildWindowRegion();
    void ApplyLayout(int width, int height) const { m_layout.ApplyAll(width, height); }

private:
    void ReadSizes();
    void DrawPiece(HDC dest, const vantor::skin::SkinPiece& piece, HDC skin);
    void ResetCornerRegions();

    vantor::skin::FrameMetrics m_metrics{};
    std::array<fw::ScopedGdiObject<HRGN>, 4> m_cornerRegions;  // top-left, top-right, bottom-left, bottom-right
    SIZE m_sizeMinTrack{0, 0};
    HBITMAP m_hSkin = nullptr;  // the caller's
    int m_nSkinWidth = 0;
    int m_nSkinHeight = 0;
    CAnchorLayout m_layout;
    fw::CDC m_backDC;
    fw::ScopedGdiObject<HBITMAP> m_backBuffer;
    ISkinFrameListener* m_pListener = nullptr;
    int m_nWindowWidth = 0;
    int m_nWindowHeight = 0;
    int m_nClientWidth = 0;
    int m_nClientHeight = 0;
    fw::CDC m_skinDC;
};
