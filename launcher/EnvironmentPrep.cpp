#include "EnvironmentPrep.h"

#include "ClientConfig.h"
#include "logic/EnvironmentCommands.h"

#include <windows.h>

namespace {

// The registration tool's prefix: on the Windows 95 family it is called by its
// full path in the system folder, elsewhere the search path finds it.
std::string RegistrationToolPrefix() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version)) return std::string();
#pragma GCC diagnostic pop
    if (version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS) return std::string();
    char system[80] = {};
    UINT length = ::GetSystemDirectoryA(system, sizeof(system));
    if (length == 0 || length >= sizeof(system)) return std::string();
    return std::string(system, length) + "\\";
}

}  // namespace

void StartEnvironmentPreparation() {
    // Failures are not reported: a missing component shows up at login.
    for (const std::string& command : vantor::EnvironmentCommands(RegistrationToolPrefix(), GetLauncherFolder()))
        ::WinExec(command.c_str(), SW_HIDE);
}
