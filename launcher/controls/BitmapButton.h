// An owner-drawn push button that shows one bitmap at rest and another while
// pressed (and optional focused and disabled bitmaps). It owns its bitmaps.
#pragma once

#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CBitmapButton : public fw::CButton, public fw::COwnerDrawControl {
public:
    // Deletes any bitmaps held and loads the named ones from the program's
    // resources; false when the normal one, or a named pressed one, is missing.
    bool LoadBitmaps(const char* normal, const char* pressed = nullptr, const char* focused = nullptr,
                     const char* disabled = nullptr);
    // Resizes the button to its normal bitmap, keeping position and z-order.
    void SizeToContent() const;
    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    fw::CBitmap m_normal, m_pressed, m_focused, m_disabled;
};
