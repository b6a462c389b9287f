#include "ProcessStart.h"

#include <windows.h>

StartedProcess StartProcess(std::string commandLine, const std::string& currentFolder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    StartedProcess started;
    if (::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                         currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &process)) {
        ::CloseHandle(process.hThread);
        started.process.reset(process.hProcess);
        started.id = process.dwProcessId;
    }
    return started;
}

void StartDetachedProcess(std::string commandLine, const std::string& currentFolder) {
    StartProcess(std::move(commandLine), currentFolder);
}
