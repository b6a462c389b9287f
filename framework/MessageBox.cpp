#include "MessageBox.h"

#include "App.h"

namespace fw {

int AfxMessageBox(const std::string& text, UINT type) {
    CWinApp* app = CWinApp::Current();
    HWND owner = nullptr;
    if (app && app->m_pMainWnd && ::IsWindowVisible(app->m_pMainWnd->GetSafeHwnd()))
        owner = app->m_pMainWnd->GetSafeHwnd();
    const char* caption = app ? app->m_pszAppName : "";
    return ::MessageBoxA(owner, text.c_str(), caption, type);
}

}  // namespace fw
