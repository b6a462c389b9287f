#include "BitmapDlg.h"

bool CBitmapDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    // The background is part of the program file; if it cannot be loaded the
    // window keeps its template size and paints the default face.
    if (m_background.LoadBitmap(m_hResourceModule, m_nBackgroundResource)) {
        // The top-left corner stays where it is; only the size changes.
        SIZE size = m_background.GetSize();
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Invalidate();
    }
    return true;
}

void CBitmapDlg::PaintBackground(HDC hdc) const { fw::DrawBitmap(hdc, m_background.get(), 0, 0); }

bool CBitmapDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT: {
        fw::CPaintDC dc(m_hWnd);
        PaintBackground(dc.get());
        return true;
    }
    case WM_NCHITTEST:
        // Dragging the background moves the window as if it were a caption.
        result = ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
        if (result == HTCLIENT) result = HTCAPTION;
        return true;
    default:
        return false;
    }
}
