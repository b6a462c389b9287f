// CLoginDlg: the launcher's one window. Its initialisation drives the whole
// start-up; afterwards it answers the update result, the player's clicks and
// the events of its web views.
#pragma once

#include "controls/BitmapButton.h"
#include "controls/BitmapDlg.h"
#include "controls/ServerListBox.h"
#include "ProcessStart.h"
#include "ServerLocations.h"
#include "UpdateCheck.h"
#include "web/BrowserSink.h"
#include "web/Explorer1.h"
#include "web/LoginPageEvents.h"

#include <string>

class CLoginDlg : public CBitmapDlg {
public:
    explicit CLoginDlg(HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange& dx) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnCommand(int id, int notifyCode) override;

private:
    // Start-up steps, in the order the initialisation runs them.
    void DeleteSelfUpdateCopy();
    void SubclassButtons();
    void PrepareEnvironment();
    void SizeButtonsToBitmaps();
    void LayOutControls();
    void BindWebViews();
    void NavigateWebViews();
    void AttachWebViewSinks();
    bool CreateDefaultClientInfo();
    void FillServerList();
    void ReadStatisticsHost();
    void StartUpdateCheck();
    void LoadServerListBackground();

    // Panels.
    void ShowServerChoicePanel();
    void ShowSkeinPanel();

    // Server confirmation: by double click, or by the login button before a server is chosen.
    void ConfirmServer();
    void OnLoginButton();
    void SendLoginRequest();
    void LaunchGame(const vantor::LocationInfo& location, const std::string& payload);
    LRESULT OnUpdateResult(WPARAM wParam, LPARAM lParam);
    void StartUpdater();
    void KeepForegroundFrom(const StartedProcess& updater);
    LRESULT OnUpdaterReady(WPARAM updaterId);

    // Handlers.
    void OnDestroy();
    void OnPaint();
    HBRUSH OnCtlColor(HDC hdc, HWND control);
    void OpenExternalPage(const std::string& address);

    HICON m_hIcon;

    CBitmapButton m_btnExit, m_btnForum, m_btnHome, m_btnRegister, m_btnSkein, m_btnLogin;

    // The web views (notice 1008, banner 1013, login page 1020) and a sink for each.
    CExplorer1 m_wndNotice, m_wndBanner, m_wndLoginPage;
    CBrowserSink m_sinkNotice, m_sinkBanner, m_sinkLoginPage;
    CLoginPageEvents m_evLoginPage;  // ends the launcher when the login page says so

    fw::CStatic m_lblVersion;

    std::string m_strUpdateArg;  // the updater argument the update check named
    // Set when the update check has reported and let the player go on: until
    // then the login button does nothing, whether clicked or reached by Enter
    // as the default button while hidden, so no login can skip a forced update.
    bool m_bCheckReported;
    fw::ScopedHandle m_hUpdateEvent;  // "GET_UPDATE_INFO"
    UpdateCheck m_updateCheck;        // holds the supervisor thread
    std::string m_strVersion;    // [ClientInfo] Version
    std::string m_strUserName;
    std::string m_strPassword;

    CServerListBox m_listServer;
    LocationRecords m_locations;  // the records attached to the list's items
    int m_nStatHost;  // statistics host: 0 = A, 1 = B
};
