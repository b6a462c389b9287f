#include "framework/Winsock.h"

#include "UpdateDlg.h"

#include "FinalUrl.h"
#include "FolderPath.h"
#include "UpdateApp.h"
#include "UpdaterMessages.h"
#include "framework/MessageBox.h"
#include "framework/ModuleFolder.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"

#include <shellapi.h>

#include <memory>

namespace {

const char kStatusDownloading[] = "正在下载中，请稍候...";
const char kStatusUpdating[] = "正在更新，请稍候...";
const char kWindowTitle[] = "Vantor登陆客户端智能升级";
const char kFileNotCreated[] = "打开文件错误";
const char kNotSigned[] = "下载的升级包已损坏或不是官方发布的,下次启动登陆器时将重新升级!";
const char kSkinFontFace[] = "宋体";
const COLORREF kCaptionColour = RGB(6, 54, 127);

// The four separator bars: 2-pixel lines anchored to the window's bottom and sides.
enum class BarRule { BottomStretch, BottomLeft, BottomRight };
struct SeparatorBar {
    int controlId;
    UINT bitmapId;
    BarRule rule;
    int a, b, c, d;  // the rule's values in its own parameter order
};
const SeparatorBar kSeparatorBars[4] = {
    {IDC_SEPARATOR1, IDB_BAR_TOP, BarRule::BottomStretch, 25, 62, 24, 2},
    {IDC_SEPARATOR2, IDB_BAR_BOTTOM, BarRule::BottomStretch, 25, 38, 24, 2},
    {IDC_SEPARATOR3, IDB_BAR_LEFT, BarRule::BottomLeft, 23, 38, 2, 26},
    {IDC_SEPARATOR4, IDB_BAR_RIGHT, BarRule::BottomRight, 23, 38, 2, 26},
};

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
    DressWithSkin();

    const std::string updateFolder = UpdateFolder();
    CreateFolderPath(updateFolder);
    m_downloadThread.SetTargetFolder(updateFolder);

    HWND dialog = m_hWnd;
    const std::string url = UpdaterApp().m_strUrl;
    if (!fw::BeginDetachedWorker([dialog, url] { return ResolveThreadProc(dialog, url); }))
        PostMessage(WM_CLOSE);
    return true;
}

// The shaped frame with its title and close button, the status text, the
// block progress bar and the separator bars.
void CUpdateDlg::DressWithSkin() {
    m_bmpSkin.LoadBitmap(m_hResourceModule, IDB_SKIN);
    m_bmpClose.LoadBitmap(m_hResourceModule, IDB_CLOSE);
    m_bmpCloseHover.LoadBitmap(m_hResourceModule, IDB_CLOSE_HOVER);

    m_captionFrame.Attach(m_hWnd, nullptr);
    m_captionFrame.SetFrameMetrics(10, 29, 2, 2, 2, 2);
    m_captionFrame.SetSkinBitmap(m_bmpSkin.get(), RGB(0, 0, 0));
    const SIZE closeSize = m_bmpClose.GetSize();
    if (CSkinButton* close = m_captionFrame.AddCloseButton(0, 0, closeSize.cx, closeSize.cy))
        close->SetBitmaps(m_bmpClose.get(), m_bmpClose.get(), m_bmpCloseHover.get(), 0);
    SetWindowText(kWindowTitle);
    if (CSkinLabel* caption = m_captionFrame.SetCaption(kWindowTitle, 15, 8, 150, 20)) {
        caption->SetFont(kSkinFontFace, 12, 400);
        caption->SetTextColor(kCaptionColour);
    }

    m_status.Attach(GetDlgItem(IDC_STATUSTEXT));
    m_status.SetFont(kSkinFontFace, 12, 400);
    m_status.SetText(kStatusDownloading);

    m_progress.Attach(GetDlgItem(IDC_PROGRESSBAR));
    m_progress.SetColors(RGB(74, 134, 214), RGB(225, 234, 248), RGB(53, 132, 224), RGB(53, 132, 224));
    m_progress.SetStyle(0);  // blocks, no percentage text
    m_progress.SetRange(100);
    m_progress.SetPos(0);

    DressSeparatorBars();
    m_captionFrame.ShowSystemButtons();
    m_captionFrame.Relayout(nullptr);
}

void CUpdateDlg::DressSeparatorBars() {
    for (int i = 0; i < 4; ++i) {
        const SeparatorBar& bar = kSeparatorBars[i];
        m_bmpBars[i].LoadBitmap(m_hResourceModule, bar.bitmapId);
        m_bars[i].Attach(GetDlgItem(bar.controlId));
        m_bars[i].SetBackgroundBitmap(m_bmpBars[i].get());
        CAnchorItem* item = m_captionFrame.AddAnchorItem();
        if (!item) continue;
        HWND window = m_bars[i].GetHookedWindow();
        switch (bar.rule) {
        case BarRule::BottomStretch: item->AnchorBottomStretch(window, bar.a, bar.b, bar.c, bar.d, TRUE); break;
        case BarRule::BottomLeft: item->AnchorBottomLeft(window, bar.a, bar.b, bar.c, bar.d, TRUE); break;
        case BarRule::BottomRight: item->AnchorBottomRight(window, bar.a, bar.b, bar.c, bar.d, TRUE); break;
        }
    }
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

// With force flag 1 the launcher has ended already: the player sees nothing
// but this message. An unseen update (force 0) stays silent.
void CUpdateDlg::OnDownloadFailed(UpdateFailure why) {
    switch (why) {
    case FAILED_FILE_NOT_CREATED:
        ::MessageBoxA(m_hWnd, kFileNotCreated, "error", MB_OK);
        break;
    case FAILED_NOT_SIGNED:
        if (UpdaterApp().m_nForce == 1) fw::AfxMessageBox(kNotSigned, MB_ICONWARNING | MB_OK);
        break;
    case FAILED_QUIETLY:
        break;
    }
}

void CUpdateDlg::OnDestroy() {
    m_downloadThread.Stop();
    ::RemovePropA(m_hWnd, UpdaterApp().m_pszAppName);
}

LRESULT CUpdateDlg::OnUpdateNotify(WPARAM code, LPARAM value) {
    switch (code) {
    case UPDATE_PROGRESS:
        m_progress.SetPos(static_cast<int>(value));  // repaints at once
        break;
    case UPDATE_DONE: {
        m_downloadThread.CloseThreadHandle();
        m_status.SetText(kStatusUpdating);
        ::UpdateWindow(m_hWnd);
        // Only a self-update program that this package delivers may take over:
        // one left by an earlier package would skip every later manifest.
        const std::string selfUpdate = UpdateFolder() + "autoupdate.exe";
        ::DeleteFileA(selfUpdate.c_str());
        const bool leftoverStays = FileExists(selfUpdate);
        if (UnpackPackage()) {
            if (FileExists(selfUpdate) && !leftoverStays)
                ::ShellExecuteA(nullptr, "open", selfUpdate.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            else
                ApplyManifest();
        }
        PostMessage(WM_CLOSE);
        break;
    }
    case UPDATE_FAILED:
        m_downloadThread.CloseThreadHandle();
        OnDownloadFailed(static_cast<UpdateFailure>(value));
        PostMessage(WM_CLOSE);
        break;
    default:
        break;
    }
    return 0;
}
