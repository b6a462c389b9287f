// CSkinLabel: a text label, transparent (the parent's skin shows through) or
// on a background bitmap stretched over it, composed in its own buffer. It
// also works without a window, as the store of the caption frame's title
// (text, font and colour).
#pragma once

#include <windows.h>

#include <string>

#include "framework/Gdi.h"
#include "skin/WndHook.h"

class CSkinLabel : public CWndHook {
public:
    // format: DrawText flags for the text (the updater uses DT_WORDBREAK).
    explicit CSkinLabel(UINT format = DT_WORDBREAK) : m_uFormat(format) {}
    ~CSkinLabel() override { Detach(); }

    // null: a window-less label (true). Otherwise subclasses the window and
    // prepares the buffer of at least its client size; false when the window
    // cannot be hooked or no DC can be made.
    bool Attach(HWND hwnd);
    // Unhooks and drops the font, the background bitmap and the DCs.
    void Detach();

    // Stores the text and repaints: a label on a bitmap repaints itself; a
    // transparent one has its parent repaint under it, so that shorter text
    // leaves nothing of the old behind, and then draws itself over that.
    void SetText(const char* text);
    bool SetTextColor(COLORREF colour) { m_crText = colour; return true; }
    // Face names of at most 31 characters. Call after Attach (Detach drops it).
    bool SetFont(const char* faceName, int height, int weight);
    // Not owned: keep it alive while the label shows it. False without a window.
    bool SetBackgroundBitmap(HBITMAP bitmap);

    const std::string& GetText() const { return m_strText; }
    COLORREF GetTextColor() const { return m_crText; }  // CLR_INVALID: the DC's is left alone
    HFONT GetFont() const { return m_font.get(); }
    UINT GetFormat() const { return m_uFormat; }

    // Paints the label onto `dc` at (0, 0), as WM_PAINT does.
    void PaintTo(HDC dc);
    // The text alone into `rect`: colour, font and format of this label. The
    // caption frame draws its title with it.
    void DrawLabelText(HDC dc, RECT rect) const;

protected:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnPaint(HWND hwnd);
    virtual LRESULT OnSize(HWND hwnd, WPARAM wParam, LPARAM lParam);

private:
    fw::CFont m_font;
    std::string m_strText;
    COLORREF m_crText = CLR_INVALID;
    HBITMAP m_hBackground = nullptr;
    int m_nBitmapWidth = 0;
    int m_nBitmapHeight = 0;
    fw::CDC m_bitmapDC;
    fw::CDC m_bufferDC;
    fw::ScopedGdiObject<HBITMAP> m_buffer;
    int m_nWidth = 0;
    int m_nHeight = 0;
    UINT m_uFormat;
};
