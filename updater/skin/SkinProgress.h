// CSkinProgress: takes over a static window and paints a progress bar, solid
// or in 10-pixel blocks, with an optional centred percentage, inside a
// one-pixel two-colour frame. What is painted where is
// skin/logic/ProgressLayout.h.
#pragma once

#include <windows.h>

#include "skin/WndHook.h"

class CSkinProgress : public CWndHook {
public:
    CSkinProgress() = default;
    ~CSkinProgress() override { Detach(); }

    // False when the window cannot be hooked or no DC can be had for it.
    bool Attach(HWND hwnd);
    void Detach() { CWndHook::Detach(); }

    // Both repaint at once while attached, so progress shows while the
    // thread is busy in between.
    bool SetRange(int range);
    bool SetPos(int position);
    // No repaint; the next one uses them.
    void SetColors(COLORREF fill, COLORREF empty, COLORREF frameBottomRight, COLORREF frameTopLeft);
    // Bit 0: solid (else blocks); bit 1: percentage text.
    void SetStyle(int style) { m_nStyle = style; }
    void SetTextColor(COLORREF colour) { m_crText = colour; }

    // Paints the bar onto `dc` at (0, 0), as WM_PAINT does.
    void PaintTo(HDC dc);
    // The frame around (0, 0, width, height), as WM_NCPAINT draws it.
    void PaintFrameTo(HDC dc, int width, int height);

protected:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Repaint();

    int m_nWidth = 0;
    int m_nHeight = 0;
    COLORREF m_crFill = 0;
    COLORREF m_crEmpty = 0;
    COLORREF m_crFrameBottomRight = 0;
    COLORREF m_crFrameTopLeft = 0;
    int m_nStyle = 1;
    COLORREF m_crText = 0;
    int m_nRange = 1;
    int m_nPos = 1;
};
