// CSkinButton: takes over an existing button window and draws it from three
// bitmaps (normal, pressed, hover) with a disabled look. It follows the mouse
// with the capture and tells its parent of a click with WM_COMMAND; keys and
// focus changes are swallowed, so it is a mouse-only button without a focus
// frame. The click rules are skin/logic/ButtonTracker.h.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Gdi.h"
#include "skin/WndHook.h"
#include "skin/logic/ButtonTracker.h"

class CSkinButton : public CWndHook {
public:
    CSkinButton() = default;
    ~CSkinButton() override { Detach(); }

    // Subclasses the window, reads its client size and text and makes the
    // DC the bitmaps are drawn from. False when the window cannot be hooked.
    bool Attach(HWND hwnd);
    void Detach();

    // False (nothing changed) when any of the three is null. fit != 0 draws at
    // the normal bitmap's size instead of the window's (the window is not
    // resized). The bitmaps stay the caller's and must outlive the button.
    bool SetBitmaps(HBITMAP normal, HBITMAP pressed, HBITMAP hover, int fit);
    void SetTextColor(COLORREF colour) { m_crText = colour; }

    // Draws the look of the current state onto `dc`, as WM_PAINT does.
    void PaintTo(HDC dc);
    vantor::skin::ButtonState GetState() const { return m_tracker.State(); }

protected:
    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Face {
        HBITMAP bitmap = nullptr;
        int width = 0;
        int height = 0;
    };

    LRESULT OnButtonDown(HWND hwnd, LPARAM lParam);
    LRESULT OnButtonUp(HWND hwnd, LPARAM lParam);
    LRESULT OnMouseMove(HWND hwnd, LPARAM lParam);
    LRESULT OnCaptureChanged(HWND hwnd, LPARAM lParam);
    void Carry(HWND hwnd, const vantor::skin::ButtonReaction& reaction);
    void DrawLook(HDC dc, vantor::skin::ButtonLook look);
    void DrawFace(HDC dc, const Face& face);

    std::string m_strText;
    Face m_normal;
    Face m_pressed;
    Face m_hover;
    COLORREF m_crText = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    fw::CDC m_bitmapDC;
    vantor::skin::ButtonTracker m_tracker;
};
