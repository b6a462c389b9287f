#include "DataExchange.h"

#include "WindowText.h"

#include "MessageBox.h"

#include <cstdio>

namespace fw {

void DDX_Text(CDataExchange& dx, int controlId, std::string& value) {
    dx.m_nLastControl = controlId;
    HWND control = ::GetDlgItem(dx.m_hDialog, controlId);
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextA(control, value.c_str());
        return;
    }
    value = GetWindowTextString(control);
}

void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars) {
    HWND control = ::GetDlgItem(dx.m_hDialog, dx.m_nLastControl);
    if (!dx.m_bSaveAndValidate) {
        ::SendMessageA(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        return;
    }
    if (static_cast<int>(value.size()) <= maxChars || dx.m_bFailed) return;
    char text[64];
    std::snprintf(text, sizeof(text), "Please enter no more than %d characters.", maxChars);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    ::SetFocus(control);
    dx.m_bFailed = true;
}

}  // namespace fw
