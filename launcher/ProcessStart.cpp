#include "ProcessStart.h"

#include "logic/LauncherSettings.h"

#include <windows.h>

std::string GetProgramFolderNoBackslash() {
    char path[512] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    std::string folder = vantor::FolderOfModulePath(std::string(path, length < sizeof(path) - 1 ? length : 0));
    if (!folder.empty()) folder.pop_back();
    return folder;
}

void StartDetachedProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                         &startup, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}
