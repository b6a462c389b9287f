#include "framework/Winsock.h"

#include "UpdateDlg.h"

#include "FinalUrl.h"
#include "FolderPath.h"
#include "UpdateApp.h"
#include "UpdaterMessages.h"
#include "framework/ModuleFolder.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"

#include <shellapi.h>

#include <memory>

namespace {

const char kStatusUpdating[] = "正在更新，请稍候...";
const char kWindowTitle[] = "Vantor登陆客户端智能升级";

bool FileExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string UpdateFolder() { return fw::GetModuleFolder() + "\\Update\\"; }

CUpdateDlg::CUpdateDlg() : fw::CDialog(IDD_VANTORUPDATE_DIALOG), m_hIcon(::LoadIconA(m_hResourceModule, MAKEINTRESOURCEA(128))) {}

CUpdateDlg::~CUpdateDlg() = default;

bool CUpdateDlg::OnInitDialog() {
    fw::CDialog::OnInitDialog();
    if (UpdaterApp().m_nForce == 0) HideForUnseenUpdate();
    // A second updater finds this window by the property (see SingleInstance.h).
    ::SetPropA(m_hWnd, UpdaterApp().m_pszAppName, reinterpret_cast<HANDLE>(1));
    if (m_hIcon) {
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    }
    SetWindowText(kWindowTitle);
    ShowProgress(0);

    const std::string updateFolder = UpdateFolder();
    CreateFolderPath(updateFolder);
    m_downloadThread.SetTargetFolder(updateFolder);

    HWND dialog = m_hWnd;
    const std::string url = UpdaterApp().m_strUrl;
    if (!fw::BeginDetachedWorker([dialog, url] { return ResolveThreadProc(dialog, url); }))
        PostMessage(WM_CLOSE);
    return true;
}

// No task bar button, and minimised: with the WM_NCPAINT rule below the
// window is never seen while the update is carried out.
void CUpdateDlg::HideForUnseenUpdate() {
    LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    ShowWindow(SW_MINIMIZE);
}

bool CUpdateDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_NCPAINT:
        if (UpdaterApp().m_nForce == 0) ShowWindow(SW_HIDE);
        return false;
    case WM_WINDOWPOSCHANGING:
        // The dialog box shows itself once it is idle; an unseen update keeps it hidden.
        if (UpdaterApp().m_nForce == 0) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
        return false;
    case WM_UPDATE_NOTIFY:
        result = OnUpdateNotify(wParam, lParam);
        return true;
    case WM_URL_RESOLVED:
        OnUrlResolved(reinterpret_cast<std::string*>(lParam));
        return true;
    case WM_DESTROY:
        OnDestroy();
        return false;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    default:
        return false;
    }
}

void CUpdateDlg::OnUrlResolved(std::string* finalUrl) {
    std::unique_ptr<std::string> owned(finalUrl);
    m_strDownloadUrl = *owned;
    m_downloadThread.SetNotifyWindow(m_hWnd);
    if (!m_downloadThread.Start(m_strDownloadUrl)) PostMessage(WM_CLOSE);
}

void CUpdateDlg::OnDestroy() {
    m_downloadThread.Stop();
    ::RemovePropA(m_hWnd, UpdaterApp().m_pszAppName);
}

LRESULT CUpdateDlg::OnUpdateNotify(WPARAM code, LPARAM value) {
    switch (code) {
    case UPDATE_PROGRESS:
        ShowProgress(static_cast<int>(value));
        break;
    case UPDATE_DONE: {
        m_downloadThread.CloseThreadHandle();
        ::SetDlgItemTextA(m_hWnd, IDC_STATUSTEXT, kStatusUpdating);
        ::UpdateWindow(m_hWnd);
        if (UnpackPackage()) {
            const std::string selfUpdate = UpdateFolder() + "autoupdate.exe";
            if (FileExists(selfUpdate))
                ::ShellExecuteA(nullptr, "open", selfUpdate.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            else
                ApplyManifest();
        }
        PostMessage(WM_CLOSE);
        break;
    }
    case UPDATE_FAILED:
        m_downloadThread.CloseThreadHandle();
        PostMessage(WM_CLOSE);
        break;
    default:
        break;
    }
    return 0;
}

// The progress bar shows the position as text until it is drawn from bitmaps.
void CUpdateDlg::ShowProgress(int percent) {
    ::SetDlgItemTextA(m_hWnd, IDC_PROGRESSBAR, (std::to_string(percent) + "%").c_str());
}
