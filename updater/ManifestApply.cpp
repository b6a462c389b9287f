// Applying the unpacked update: wait until the launcher has ended, install the
// files the manifest lists, record the new version, and start the launcher
// again when the update was forced.
#include "framework/Winsock.h"

#include "UpdateDlg.h"

#include "UpdateApp.h"
#include "framework/MessageBox.h"
#include "framework/ModuleFolder.h"
#include "framework/ProfileFile.h"
#include "framework/RegistryKey.h"
#include "framework/ScopedHandles.h"
#include "logic/UpdateManifest.h"
#include "xml/XmlDocument.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

const char kLauncherProgram[] = "VantorLogin.exe";
const char kInstallKey[] = "SOFTWARE\\Playmoor\\VantorOnline";
const char kNotReplaced[] = "无法替换文件%s,它可能正被其他程序使用。请关闭该程序后重新启动登陆器完成升级!";
// A virus scanner or the launcher that just ended lets go of a file within
// moments: a replacement that is refused is tried again for this long.
constexpr DWORD kReplaceRetryMs = 5000;
constexpr DWORD kReplaceRetryStepMs = 250;

// Whether a process named exactly like the launcher (letter case counts) runs
// and can be opened for ending; only such a one holds the files we replace.
bool LauncherRunning() {
    fw::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return false;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.get(), &entry); more; more = ::Process32Next(snapshot.get(), &entry)) {
        if (std::strcmp(entry.szExeFile, kLauncherProgram) != 0) continue;
        fw::ScopedHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (process) return true;
    }
    return false;
}

void WaitForLauncherToEnd() {
    while (LauncherRunning()) ::Sleep(1000);
}

// The installation folder's files as the manifest changes them.
class InstallationFiles : public vantor::ManifestActions {
public:
    explicit InstallationFiles(std::string folder) : m_strFolder(std::move(folder)) {}

    bool InstallItem(const std::string& item) override {
        const std::string source = m_strFolder + "\\Update\\" + item;
        const std::string target = m_strFolder + "\\" + item;
        for (DWORD waited = 0;; waited += kReplaceRetryStepMs) {
            if (ReplaceFile(source, target)) break;
            const DWORD error = ::GetLastError();
            const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                              error == ERROR_ACCESS_DENIED || error == ERROR_USER_MAPPED_FILE;
            if (!held || waited >= kReplaceRetryMs) return false;
            ::Sleep(kReplaceRetryStepMs);
        }
        ::DeleteFileA(source.c_str());  // a source that cannot be deleted is left
        return true;
    }
    void DeleteManifest() override { ::DeleteFileA(ManifestPath().c_str()); }
    void RecordVersion(const std::string& version) override {
        fw::WriteProfileString(m_strFolder + "\\ClientInfo.ini", "ClientInfo", "Version", version);
    }

    std::string ManifestPath() const { return m_strFolder + "\\Update\\updateFile.xml"; }

private:
    // Copied beside the target first, then put in its place in one step, so
    // that a crash or a full disk never leaves an installed file half-written.
    // False with the system's error code kept for the caller.
    static bool ReplaceFile(const std::string& source, const std::string& target) {
        const std::string staged = target + ".vantor-new";
        if (::CopyFileA(source.c_str(), staged.c_str(), FALSE) &&
            ::MoveFileExA(staged.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        ::DeleteFileA(staged.c_str());
        ::SetLastError(error);
        return false;
    }

    std::string m_strFolder;
};

// Starts the launcher from the folder the launcher recorded in the registry;
// any failure skips the start silently.
void RelaunchLauncher() {
    fw::CRegistryKey key(HKEY_LOCAL_MACHINE);
    std::string folder;
    if (!key.Open(kInstallKey) || !key.ReadString("Location", folder, 100)) return;
    const std::string launcher = folder + kLauncherProgram;
    ::ShellExecuteA(nullptr, "open", launcher.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

void CUpdateDlg::ApplyManifest() {
    WaitForLauncherToEnd();

    InstallationFiles files(fw::GetModuleFolder());
    XmlDocument manifest;
    vantor::ManifestPlan plan;
    if (manifest.LoadFile(files.ManifestPath().c_str())) plan = vantor::ReadManifestPlan(manifest);
    std::string failedItem;
    const vantor::ManifestOutcome outcome = vantor::CarryOutManifest(plan, files, &failedItem);
    if (outcome == vantor::ManifestOutcome::NothingChanged) return;
    if (outcome == vantor::ManifestOutcome::CopyFailed) {
        // The version stays unrecorded, so the next start offers the update
        // again; starting the launcher now would only fetch the same update
        // and fail on the same file, round after round. The player, who
        // started the launcher, hears why; an unseen update stays silent.
        if (UpdaterApp().m_nForce == 1) {
            std::string text(sizeof kNotReplaced + failedItem.size(), '\0');
            text.resize(static_cast<size_t>(std::snprintf(&text[0], text.size(), kNotReplaced, failedItem.c_str())));
            fw::AfxMessageBox(text, MB_ICONWARNING | MB_OK);
        }
        return;
    }
    if (UpdaterApp().m_nForce == 1) RelaunchLauncher();
}
