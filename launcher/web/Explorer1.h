// CExplorer1: one WebBrowser control hosted in a dialog, driven through its
// automation (dispatch) interface.
#pragma once

#include "framework/ScopedHandles.h"
#include "framework/Wnd.h"

#include <oaidl.h>

#include <string>

class CExplorer1 : public fw::CWnd {
public:
    // The WebBrowser control's class identifier, as the host window's text.
    static const char kClassIdText[];

    // Creates the control in a new host window (class "AtlAxWin") and binds to it.
    bool Create(HWND parent, const RECT& place, int id, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    // Binds to a dialog control whose window hosts the browser.
    bool AttachDlgItem(int id, HWND dialog);
    // Binds to a control object directly; takes its own reference.
    void AttachControl(HWND window, IUnknown* control);
    // Gives the control's reference back; the dialog does this when its window goes.
    void Detach();

    // The control's IUnknown (a new reference, which the caller releases), or null.
    IUnknown* GetControlUnknown() const;

    // Dispatch id 104 with the address; flags, target frame, post data and
    // headers are passed as absent. Navigation errors come as events, not here.
    HRESULT Navigate(const std::string& address) const;
    // Property 211: the address the view shows; empty when there is none.
    std::string GetLocationURL() const;

private:
    fw::ScopedComPtr<IDispatch> m_control;  // the control-site link
};
