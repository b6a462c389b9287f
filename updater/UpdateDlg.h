// CUpdateDlg: the updater's one dialog. Its initialisation starts the
// resolve worker; the download worker's reports drive the rest: progress,
// then unpack and either the self-update program or the manifest, then close.
#pragma once

#include "DownloadThread.h"
#include "UpdaterMessages.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "skin/SkinCaptionFrame.h"
#include "skin/SkinLabel.h"
#include "skin/SkinProgress.h"

#include <string>

class CUpdateDlg : public fw::CDialog {
public:
    CUpdateDlg();
    ~CUpdateDlg() override;

protected:
    bool OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Enter (command 1) and Escape both end the dialog.
    void OnOK() override { EndDialog(IDOK); }

private:
    LRESULT OnUpdateNotify(WPARAM code, LPARAM value);
    void OnUrlResolved(std::string* finalUrl);
    void OnDownloadFailed(UpdateFailure why);
    void OnDestroy();
    void HideForUnseenUpdate();
    void DressWithSkin();
    void DressSeparatorBars();

    // Package unpack (PackageUnpack.cpp) and the manifest (ManifestApply.cpp).
    int UnpackPackage();
    void ApplyManifest();

    HICON m_hIcon;
    CDownloadThread m_downloadThread;
    std::string m_strDownloadUrl;  // the final address; the package is named after it
    // The skin: each bitmap is declared before the objects that paint with it,
    // so that it is deleted after them.
    CSkinProgress m_progress;
    fw::CBitmap m_bmpSkin, m_bmpClose, m_bmpCloseHover;
    CSkinCaptionFrame m_captionFrame;
    fw::CBitmap m_bmpBars[4];
    CSkinLabel m_bars[4]{CSkinLabel(DT_WORDBREAK), CSkinLabel(DT_WORDBREAK), CSkinLabel(DT_WORDBREAK),
                         CSkinLabel(DT_WORDBREAK)};
    CSkinLabel m_status{DT_WORDBREAK};
};

// The installation folder's Update folder, with its trailing backslash.
std::string UpdateFolder();
