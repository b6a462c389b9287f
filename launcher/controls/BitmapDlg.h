// CBitmapDlg: a dialog painted with a background bitmap, exactly the bitmap's
// size, that the player drags by pressing anywhere on the background.
#pragma once

#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CBitmapDlg : public fw::CDialog {
public:
    CBitmapDlg(UINT templateId, HWND parent = nullptr) : fw::CDialog(templateId, parent) {}

protected:
    // Base initialisation, then the window takes the background bitmap's size.
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PaintBackground(HDC hdc) const;

    WORD m_nBackgroundResource = 0;  // set by the derived dialog before initialisation

private:
    fw::CBitmap m_background;
};
