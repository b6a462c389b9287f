#include "LoginDlg.h"

#include "ClientConfig.h"
#include "Deployment.h"
#include "EnvironmentPrep.h"
#include "ProcessStart.h"
#include "LauncherMessages.h"
#include "framework/MessageBox.h"
#include "framework/ModuleFolder.h"
#include "framework/ProfileFile.h"
#include "framework/SystemError.h"
#include "framework/WorkerThread.h"
#include "logic/LauncherSettings.h"
#include "logic/UpdateInfo.h"
#include "logic/WebViewAddresses.h"
#include "res/resource.h"
#include "web/ViewSink.h"

#include <shellapi.h>

#include <memory>

namespace {

const char kWindowTitle[] = "岚境·Vantor Online";

// How long the launcher waits for an unseen updater to make its dialog.
const DWORD kUpdaterStartWaitMs = 3000;

struct ControlPlace {
    int id;
    int x, y, width, height;
};

// Where the initialisation puts each control, in client pixels.
const ControlPlace kLayout[] = {
    {IDC_WEBBUTTON, 220, 145, 164, 26},     {IDC_BBSBUTTON, 220, 186, 164, 26},
    {IDC_USERREGBUTTON, 220, 227, 164, 26}, {IDC_EXITBUTTON, 220, 266, 164, 26},
    {IDC_NOTICEVIEW, 37, 149, 174, 144},    {IDC_BANNERVIEW, 64, 319, 472, 37},
    {IDC_LOGINPAGEVIEW, 390, 149, 180, 150}, {IDC_VERSIONLABEL, 455, 368, 400, 40},
    {IDC_SKEINBUTTON, 390, 280, 187, 18},   {IDC_LOGINBUTTON, 440, 250, 77, 25},
    {IDC_USERNAMELABEL, 390, 170, 50, 20},  {IDC_PASSWORDLABEL, 390, 200, 50, 20},
    {IDC_USERNAMEEDIT, 450, 170, 100, 18},  {IDC_PASSWORDEDIT, 450, 200, 100, 18},
    {IDC_STATUSLINE, 400, 230, 140, 30},    {IDC_SERVERLIST, 400, 140, 160, 107},
};

// The login controls, hidden until the update check lets the player choose.
const int kLoginControls[] = {IDC_SKEINBUTTON,  IDC_LOGINBUTTON,   IDC_SERVERLIST,   IDC_USERNAMEEDIT,
                              IDC_PASSWORDEDIT, IDC_USERNAMELABEL, IDC_PASSWORDLABEL};

}  // namespace

CLoginDlg::CLoginDlg(HWND parent)
    : CBitmapDlg(IDD_VANTORLOGIN_DIALOG, parent), m_bCheckReported(false), m_nStatHost(0) {
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_nBackgroundResource = IDB_BACKGROUND;

    // Buttons without bitmaps draw nothing; only the first two say so.
    if (!m_btnExit.LoadBitmaps("EXITBUTTON1", "EXITBUTTON2")) fw::AfxMessageBox("载入按钮图片错误");
    if (!m_btnForum.LoadBitmaps("BBSBUTTON1", "BBSBUTTON2")) fw::AfxMessageBox("载入论坛按钮图片错误");
    m_btnRegister.LoadBitmaps("USERREGBUTTON1", "USERREGBUTTON2");
    m_btnHome.LoadBitmaps("WEBBUTTON1", "WEBBUTTON2");
    m_btnSkein.LoadBitmaps("SKEINBUTTON1", "SKEINBUTTON2");
    m_btnLogin.LoadBitmaps("LOGINBUTTON1", "LOGINBUTTON2");
}

void CLoginDlg::DoDataExchange(fw::CDataExchange& dx) {
    fw::DDX_Text(dx, IDC_USERNAMEEDIT, m_strUserName);
    fw::DDV_MaxChars(dx, m_strUserName, 12);
    fw::DDX_Text(dx, IDC_PASSWORDEDIT, m_strPassword);
    fw::DDV_MaxChars(dx, m_strPassword, 20);
}

bool CLoginDlg::OnInitDialog() {
    CBitmapDlg::OnInitDialog();
    m_lblVersion.AttachDlgItem(IDC_VERSIONLABEL, m_hWnd);
    m_listServer.AttachDlgItem(IDC_SERVERLIST, m_hWnd);
    AddOwnerDraw(IDC_SERVERLIST, &m_listServer);
    BindWebViews();

    DeleteSelfUpdateCopy();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SubclassButtons();
    PrepareEnvironment();
    RecordInstallFolder();
    SizeButtonsToBitmaps();
    SetWindowText(kWindowTitle);
    SetDefID(IDC_LOGINBUTTON);
    LayOutControls();
    NavigateWebViews();
    AttachWebViewSinks();
    if (!CreateDefaultClientInfo()) return false;
    m_strVersion = fw::ReadProfileString(GetClientInfoPath(), "ClientInfo", "Version", 255);
    FillServerList();
    m_lblVersion.SetWindowText(LauncherVersionLabel());
    ReadStatisticsHost();
    StartUpdateCheck();
    LoadServerListBackground();
    return true;
}

void CLoginDlg::DeleteSelfUpdateCopy() {
    // The updater's self-update copy is done with once the launcher runs again.
    // It lies in the installation, not in whatever folder the launcher was
    // started from; with no folder to name nothing is deleted.
    const std::string folder = GetLauncherFolder();
    if (folder.empty()) return;
    const std::string copy = folder + "Update\\autoupdate.exe";
    ::SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(copy.c_str());
}

void CLoginDlg::SubclassButtons() {
    struct Binding { CBitmapButton* button; int id; };
    const Binding bindings[] = {{&m_btnExit, IDC_EXITBUTTON},   {&m_btnRegister, IDC_USERREGBUTTON},
                                {&m_btnHome, IDC_WEBBUTTON},    {&m_btnForum, IDC_BBSBUTTON},
                                {&m_btnSkein, IDC_SKEINBUTTON}, {&m_btnLogin, IDC_LOGINBUTTON}};
    for (const Binding& b : bindings) {
        b.button->AttachDlgItem(b.id, m_hWnd);
        AddOwnerDraw(b.id, b.button);
    }
}

void CLoginDlg::PrepareEnvironment() { StartEnvironmentPreparation(); }

void CLoginDlg::SizeButtonsToBitmaps() {
    for (CBitmapButton* button : {&m_btnExit, &m_btnForum, &m_btnHome, &m_btnRegister, &m_btnSkein, &m_btnLogin})
        button->SizeToContent();
}

void CLoginDlg::LayOutControls() {
    for (const ControlPlace& place : kLayout)
        ::MoveWindow(GetDlgItem(place.id), place.x, place.y, place.width, place.height, TRUE);
    for (int id : kLoginControls) ::ShowWindow(GetDlgItem(id), SW_HIDE);
}

void CLoginDlg::BindWebViews() {
    m_wndNotice.AttachDlgItem(IDC_NOTICEVIEW, m_hWnd);
    m_wndBanner.AttachDlgItem(IDC_BANNERVIEW, m_hWnd);
    m_wndLoginPage.AttachDlgItem(IDC_LOGINPAGEVIEW, m_hWnd);
    m_evLoginPage.Connect(m_wndLoginPage, m_hWnd, VANTOR_SKEIN_LOGIN_HOST);
}

void CLoginDlg::NavigateWebViews() {
    // The blank page first, so the view has a document while the site answers.
    m_wndNotice.Navigate("about:blank");
    m_wndNotice.Navigate(vantor::NoticePageAddress(VANTOR_GAME_SITE));
    m_wndBanner.Navigate("about:blank");
    m_wndBanner.Navigate(vantor::BannerPageAddress(VANTOR_GAME_SITE));
}

void CLoginDlg::AttachWebViewSinks() {
    AttachBorderlessSink(m_wndNotice, m_sinkNotice);
    AttachBorderlessSink(m_wndBanner, m_sinkBanner);
}

bool CLoginDlg::CreateDefaultClientInfo() {
    const std::string path = GetClientInfoPath();
    DWORD error = EnsureClientInfoFile(path);
    if (error == ERROR_SUCCESS) return true;
    // Without its configuration the launcher can neither list servers nor check
    // for updates: say what is wrong and end before the window is shown.
    fw::AfxMessageBox("无法创建客户端配置文件：\n" + path + "\n\n" + fw::SystemErrorText(error) +
                          "\n\n请确认游戏目录可以写入（例如以管理员身份运行），然后重新启动登录器。",
                      MB_OK | MB_ICONERROR);
    EndDialog(IDABORT);
    return false;
}

void CLoginDlg::FillServerList() { LoadLocations(m_listServer, GetClientInfoPath(), m_locations); }

void CLoginDlg::ReadStatisticsHost() {
    const std::string locationServer = fw::ReadProfileString(GetClientInfoPath(), "ClientInfo", "LocationServer", 9);
    m_nStatHost = vantor::StatHostFromLocationServer(locationServer, m_nStatHost);
}

void CLoginDlg::StartUpdateCheck() {
    m_hUpdateEvent.reset(::CreateEventA(nullptr, FALSE, FALSE, "GET_UPDATE_INFO"));
    // Without a supervisor no answer would ever come: count that as a failed check.
    if (!m_updateCheck.Start(m_hWnd, m_hUpdateEvent.get(), m_strVersion)) PostMessage(WM_UPDATE_RESULT, 0, 1);
}

LRESULT CLoginDlg::OnUpdateResult(WPARAM wParam, LPARAM lParam) {
    if (wParam == 0 && lParam != 0) {
        fw::AfxMessageBox("检测升级出错，请检测你的网络是否正常");
        ::PostQuitMessage(0);
        return 0;
    }
    if (wParam == 0) {
        m_strUpdateArg = m_updateCheck.UpdaterArg();
        StartUpdater();
        if (vantor::UpdaterForceFlag(m_strUpdateArg) != 0) ::ExitProcess(0);
    }
    m_bCheckReported = true;
    ShowServerChoicePanel();
    return 0;
}

void CLoginDlg::StartUpdater() {
    std::string commandLine;
    // An address too long for the command line is not passed on cut short.
    if (!vantor::BuildUpdaterCommandLine(fw::GetModuleFolder(), m_strUpdateArg, commandLine)) return;
    StartedProcess updater = StartProcess(commandLine, fw::GetModuleFolder());
    if (updater.process && vantor::UpdaterForceFlag(m_strUpdateArg) == 0) KeepForegroundFrom(updater);
}

void CLoginDlg::KeepForegroundFrom(const StartedProcess& updater) {
    // An unseen update's dialog is never shown, yet it is activated when it is
    // made, and the player's keys then go to that hidden window until a click.
    // Once the updater waits for input its dialog exists. A worker waits for
    // that, so that the launcher's own window keeps answering meanwhile.
    HANDLE copy = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), updater.process.get(), ::GetCurrentProcess(), &copy, 0, FALSE,
                           DUPLICATE_SAME_ACCESS))
        return;
    const auto process = std::make_shared<fw::ScopedHandle>(copy);  // the worker's own, closed when it ends
    const HWND window = m_hWnd;
    const DWORD id = updater.id;
    fw::BeginDetachedWorker([process, window, id] {
        ::WaitForInputIdle(process->get(), kUpdaterStartWaitMs);
        ::PostMessageA(window, WM_UPDATER_READY, id, 0);
        return 0u;
    });
}

LRESULT CLoginDlg::OnUpdaterReady(WPARAM updaterId) {
    // The foreground is taken back from the updater only, never from another program.
    HWND foreground = ::GetForegroundWindow();
    DWORD owner = 0;
    if (foreground) ::GetWindowThreadProcessId(foreground, &owner);
    if (!foreground || owner == static_cast<DWORD>(updaterId)) ::SetForegroundWindow(m_hWnd);
    return 0;
}

void CLoginDlg::ShowServerChoicePanel() {
    ::ShowWindow(GetDlgItem(IDC_STATUSLINE), SW_HIDE);
    for (int id : {IDC_LOGINBUTTON, IDC_SERVERLIST, IDC_SKEINBUTTON}) ::ShowWindow(GetDlgItem(id), SW_SHOW);
}

void CLoginDlg::ConfirmServer() {
    int selection = m_listServer.GetCurSel();
    if (selection == LB_ERR) {
        fw::AfxMessageBox("请选择大区");
        return;
    }
    g_bServerChosen = true;
    m_listServer.ShowWindow(SW_HIDE);
    for (int id : {IDC_USERNAMEEDIT, IDC_PASSWORDEDIT, IDC_USERNAMELABEL, IDC_PASSWORDLABEL})
        ::ShowWindow(GetDlgItem(id), SW_SHOW);
    RememberLastServer(GetClientInfoPath(), selection);
}


void CLoginDlg::LoadServerListBackground() { m_listServer.LoadBackground(IDB_SERVERLIST); }

void CLoginDlg::ShowSkeinPanel() {
    for (int id : kLoginControls) ::ShowWindow(GetDlgItem(id), SW_HIDE);
    m_wndLoginPage.ShowWindow(SW_SHOW);
    m_wndLoginPage.Navigate("about:blank");
    m_wndLoginPage.Navigate(vantor::LoginPageAddress(VANTOR_SKEIN_LOGIN_HOST));
    AttachBorderlessSink(m_wndLoginPage, m_sinkLoginPage);
    // From here Enter belongs to the page.
    SetDefID(0);
    m_wndLoginPage.Navigate(vantor::SkeinConfirmAddress(VANTOR_SKEIN_LOGIN_HOST));
}

void CLoginDlg::OpenExternalPage(const std::string& address) {
    ::ShellExecuteA(m_hWnd, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CLoginDlg::OnDestroy() {
    // The views still exist while their parent hears WM_DESTROY: leave them now,
    // so no browser calls into a sink or listener of a dialog that is gone.
    m_evLoginPage.Disconnect();
    for (CBrowserSink* sink : {&m_sinkNotice, &m_sinkBanner, &m_sinkLoginPage}) sink->DetachBrowser();
    for (CExplorer1* view : {&m_wndNotice, &m_wndBanner, &m_wndLoginPage}) view->Detach();
}

void CLoginDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) {
        fw::CPaintDC dc(m_hWnd);
        PaintBackground(dc.get());
        return;
    }
    fw::CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()));
    RECT client = GetClientRect();
    int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.get(), x, y, m_hIcon);
}

HBRUSH CLoginDlg::OnCtlColor(HDC hdc, HWND control) {
    switch (::GetDlgCtrlID(control)) {
    case IDC_USERNAMELABEL:
    case IDC_PASSWORDLABEL:
    case IDC_VERSIONLABEL:
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, RGB(255, 255, 255));
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    case IDC_STATUSLINE:
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, RGB(255, 33, 33));
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    default:
        return nullptr;
    }
}

bool CLoginDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        HBRUSH brush = OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (!brush) return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_UPDATE_RESULT:
        result = OnUpdateResult(wParam, lParam);
        return true;
    case WM_UPDATER_READY:
        result = OnUpdaterReady(wParam);
        return true;
    case WM_DESTROY:
        OnDestroy();
        return CBitmapDlg::OnMessage(msg, wParam, lParam, result);
    default:
        return CBitmapDlg::OnMessage(msg, wParam, lParam, result);
    }
}

bool CLoginDlg::OnCommand(int id, int notifyCode) {
    switch (id) {
    case IDOK:
        // Enter when no button is the default one (the Skein panel) or when
        // the focus is on a control that passes it on. The launcher has no OK
        // button: it ends only by the exit button, Escape, the login page, a
        // login or the update check, never because the player typed Enter on
        // a page that did not take it.
        return true;
    case IDC_EXITBUTTON:
        OnCancel();
        return true;
    case IDC_BBSBUTTON:
        OpenExternalPage("http://" VANTOR_GAME_SITE "/Vantor_bbs/BBS_index.aspx");
        return true;
    case IDC_WEBBUTTON:
        OpenExternalPage("http://" VANTOR_GAME_SITE);
        return true;
    case IDC_USERREGBUTTON:
        OpenExternalPage("http://" VANTOR_SERVICE_PORTAL "/userreg.aspx");
        return true;
    case IDC_SKEINBUTTON:
        ShowSkeinPanel();
        return true;
    case IDC_LOGINBUTTON:
        OnLoginButton();
        return true;
    case IDC_SERVERLIST:
        if (notifyCode != LBN_DBLCLK) return false;
        ConfirmServer();
        return true;
    default:
        return false;
    }
}
