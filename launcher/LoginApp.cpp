#include "LoginApp.h"

#include "LoginDlg.h"

#include <commctrl.h>

CLoginApp theApp;

bool CLoginApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    EnableControlContainer();
    SetRegistryKey("应用程序向导生成的本地应用程序");

    CLoginDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // Worker threads still running end with the process.
    return false;
}
