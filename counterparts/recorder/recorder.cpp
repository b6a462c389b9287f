// recorder.exe: a stand-in for a program that another program starts.
//
// Copied under the name of the program it replaces (for example regsvr32.exe
// into the launcher's folder, which a process start searches first), it
// appends to files beside itself, named after its own file:
//   <own exe>.cmdline.log   its command line exactly as it received it
//                           (GetCommandLineA, raw bytes) and a line feed
//   <own exe>.started.log   its process creation time (FILETIME, decimal)
//                           and a line feed, so that a test can order the
//                           starts of several copies
// Line N of one file belongs to line N of the other: copies that run at the
// same time take turns through an exclusive open of the command-line log.
//
// While a file <own exe>.hold exists it stays running afterwards (at most two
// minutes), idle in a message loop, so that a test can show that its starter
// does not wait for it to end.
// It always exits with code 0.
#include "framework/ModuleFolder.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const DWORD kLockTimeoutMs = 30000;
const DWORD kHoldLimitMs = 120000;
const DWORD kPollMs = 20;

// Opens the file for appending, alone: another copy that holds it makes this
// one retry until the other has written its lines.
HANDLE OpenExclusive(const std::string& path) {
    const DWORD deadline = ::GetTickCount() + kLockTimeoutMs;
    for (;;) {
        HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        DWORD error = ::GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) ||
            static_cast<LONG>(::GetTickCount() - deadline) > 0)
            return INVALID_HANDLE_VALUE;
        ::Sleep(kPollMs);
    }
}

bool AppendAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string CreationTimeText() {
    FILETIME created = {}, exited = {}, kernel = {}, user = {};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    unsigned long long value = (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    char text[32];
    std::snprintf(text, sizeof(text), "%llu", value);
    return text;
}

void Record(const std::string& own) {
    HANDLE log = OpenExclusive(own + ".cmdline.log");
    if (log == INVALID_HANDLE_VALUE) return;
    const char* line = ::GetCommandLineA();
    AppendAll(log, std::string(line ? line : "") + "\n");
    HANDLE started = ::CreateFileA((own + ".started.log").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (started != INVALID_HANDLE_VALUE) {
        AppendAll(started, CreationTimeText() + "\n");
        ::CloseHandle(started);
    }
    ::CloseHandle(log);  // last: the next copy may write only now
}

// Waits in a message loop: a starter's wait for input idle (WinExec makes one)
// then ends at once, as it does for a program that shows its window and waits.
void WhileHeld(const std::string& own) {
    const std::string hold = own + ".hold";
    const DWORD deadline = ::GetTickCount() + kHoldLimitMs;
    while (::GetFileAttributesA(hold.c_str()) != INVALID_FILE_ATTRIBUTES &&
           static_cast<LONG>(::GetTickCount() - deadline) < 0) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::string own = fw::GetModulePath();
    Record(own);
    WhileHeld(own);
    return 0;
}
