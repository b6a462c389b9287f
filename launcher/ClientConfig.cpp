#include "ClientConfig.h"

#include "Deployment.h"
#include "framework/RegistryKey.h"
#include "framework/ModuleFolder.h"
#include "framework/ProfileFile.h"
#include "framework/ScopedHandles.h"
#include "logic/ClientInfoDefaults.h"
#include "logic/LauncherSettings.h"

std::string GetLauncherFolder() {
    const std::string folder = fw::GetModuleFolder();
    return folder.empty() ? folder : folder + "\\";
}

std::string GetClientInfoPath() { return GetLauncherFolder() + "ClientInfo.ini"; }

void RecordInstallFolder() {
    fw::CRegistryKey playmoor(HKEY_LOCAL_MACHINE);
    fw::CRegistryKey product(HKEY_LOCAL_MACHINE);
    if (!playmoor.Open("SOFTWARE\\Playmoor")) playmoor.Create("SOFTWARE\\Playmoor");
    if (!product.Open("SOFTWARE\\Playmoor\\VantorOnline") && !product.Create("SOFTWARE\\Playmoor\\VantorOnline"))
        return;  // without the rights to the key there is nothing to record

    std::string stored;
    if (!product.ReadString("Location", stored)) stored.clear();
    const std::string folder = GetLauncherFolder();
    if (vantor::LocationNeedsWrite(stored, folder)) product.WriteString("Location", folder);
    playmoor.Close();
    product.Close();
}

DWORD EnsureClientInfoFile(const std::string& path) {
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_SUCCESS;

    const std::string content =
        vantor::DefaultClientInfoContent({VANTOR_LOGIN_HOST_1, VANTOR_LOGIN_HOST_2, VANTOR_LOGIN_HOST_3});
    DWORD error = ERROR_SUCCESS;
    {
        fw::ScopedFile file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return ::GetLastError();
        DWORD written = 0;
        if (!::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr))
            error = ::GetLastError();
        else if (written != content.size())
            error = ERROR_DISK_FULL;
    }
    // A half-written file would pass for the player's own settings at the next
    // start; remove it so that the next start writes it again.
    if (error != ERROR_SUCCESS) ::DeleteFileA(path.c_str());
    return error;
}

std::string LauncherVersionLabel() {
    // The engine's settings come with the installation (updates replace them
    // there), so they are read beside the launcher: one started from a shortcut
    // without a start folder, or by the updater, shows the same version.
    return vantor::VersionLabelText(
        fw::ReadProfileString(GetLauncherFolder() + "TesseraEngine.ini", "Launcher", "LauncherVersion", 127));
}
