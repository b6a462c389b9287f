// loadrecorder.dll: a stand-in for a library that a program must not load.
//
// Copied under the name of a system library (for example atl.dll beside the
// launcher, where a load by bare name looks first), each load into a process
// appends one line, the loading program's path, to <own dll>.loaded.log beside
// itself. It exports nothing, so a program that did load it finds none of the
// functions it looks up.
#include <windows.h>

#include <string>

namespace {

void RecordLoad(HMODULE self) {
    char own[MAX_PATH] = {};
    char loader[MAX_PATH] = {};
    const DWORD ownLength = ::GetModuleFileNameA(self, own, sizeof(own));
    const DWORD loaderLength = ::GetModuleFileNameA(nullptr, loader, sizeof(loader));
    if (ownLength == 0 || ownLength >= sizeof(own)) return;
    HANDLE log = ::CreateFileA((std::string(own, ownLength) + ".loaded.log").c_str(), FILE_APPEND_DATA,
                               FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string line = std::string(loader, loaderLength < sizeof(loader) ? loaderLength : 0) + "\n";
    DWORD written = 0;
    ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(log);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) RecordLoad(instance);
    return TRUE;
}
