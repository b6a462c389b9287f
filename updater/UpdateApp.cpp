#include "framework/Winsock.h"

#include "UpdateApp.h"

#include "SingleInstance.h"
#include "UpdateDlg.h"
#include "framework/MessageBox.h"
#include "logic/UpdaterCommandLine.h"

CUpdateApp theApp;

CUpdateApp& UpdaterApp() { return theApp; }

bool CUpdateApp::InitInstance() {
    // The semaphore and the dialog's window property share the program's name.
    fw::ScopedHandle instance;
    if (!ClaimSingleInstance(m_pszAppName, instance)) return false;

    vantor::UpdaterArguments arguments;
    if (!vantor::SplitUpdaterArguments(m_lpCmdLine, arguments)) return false;
    m_strUrl = arguments.url;
    m_nForce = arguments.force;

    // Both failures are told and the update goes on; its download then fails.
    fw::CWinsockSession winsock;
    WSADATA granted{};
    if (!winsock.Startup(MAKEWORD(2, 0), granted)) {
        fw::AfxMessageBox("无法装载Socket库.");
    } else if (LOBYTE(granted.wVersion) != 2) {
        fw::AfxMessageBox("无法找到合适的Socket库.");
        winsock.Cleanup();
    }

    CUpdateDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return false;
}
