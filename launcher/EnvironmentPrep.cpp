#include "EnvironmentPrep.h"

#include "ClientConfig.h"
#include "framework/SystemFolder.h"
#include "logic/EnvironmentCommands.h"

#include <windows.h>

void StartEnvironmentPreparation() {
    // Without the system folder no registration tool can be named whole; the
    // one the search path would find instead is not run.
    const std::string systemFolder = fw::GetSystemFolder();
    std::vector<std::string> commands = vantor::EnvironmentCommands(systemFolder, GetLauncherFolder());
    if (systemFolder.empty()) commands.erase(commands.begin(), commands.end() - 1);
    // Failures are not reported: a missing component shows up at login.
    for (const std::string& command : commands) ::WinExec(command.c_str(), SW_HIDE);
}
