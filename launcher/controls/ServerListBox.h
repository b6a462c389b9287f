// CServerListBox: the owner-drawn list of server locations, painted over its
// own background bitmap.
#pragma once

#include "framework/Dialog.h"
#include "framework/Gdi.h"

class CServerListBox : public fw::CListBox, public fw::COwnerDrawControl {
public:
    // Takes the bitmap resource as background and repaints the list.
    bool LoadBackground(UINT resourceId);
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    fw::CBitmap m_background;
};
