// Vantor.exe: stands in for the game client that the launcher starts after a
// login. It records its command line exactly as it received it
// (GetCommandLineA, raw bytes, no line end) in Vantor.cmdline.txt beside
// itself, replacing an earlier record, before it shows anything; then it
// shows a small window that names the region ID and the user from its
// arguments ("<folder>\Vantor.exe" <region ID> <user> <token> 1). Escape or
// closing the window ends it with exit code 0.
#include "framework/ModuleFolder.h"
#include "framework/ScopedHandles.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kRecordName[] = "Vantor.cmdline.txt";
const char kWindowClass[] = "VantorGameClient";
const char kTitle[] = "Vantor Online — 游戏客户端";
const int kRegionLabelId = 101;
const int kUserLabelId = 102;

// Written to a temporary file and renamed over the record, so that a reader
// never sees a partial command line.
bool RecordCommandLine(const std::string& folder) {
    const std::string record = folder + kRecordName;
    const std::string partial = record + ".partial";
    const char* line = ::GetCommandLineA();
    const DWORD length = static_cast<DWORD>(std::strlen(line));
    {
        fw::ScopedFile file(::CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file || !::WriteFile(file.get(), line, length, &written, nullptr) || written != length ||
            !::FlushFileBuffers(file.get()))
            return false;
    }
    return ::MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string Argument(int index) { return index < __argc ? __argv[index] : std::string(); }

void AddLabel(HWND parent, int id, int top, const std::string& text) {
    HWND label = ::CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 16, top, 300, 20,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

HWND CreateMainWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassA(&windowClass)) return nullptr;
    HWND hwnd = ::CreateWindowExA(0, kWindowClass, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 360, 140, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    AddLabel(hwnd, kRegionLabelId, 16, "大区：" + Argument(1));
    AddLabel(hwnd, kUserLabelId, 44, "用户：" + Argument(2));
    return hwnd;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    RecordCommandLine(fw::GetModuleFolder() + "\\");
    HWND hwnd = CreateMainWindow(instance);
    if (!hwnd) return 1;
    ::ShowWindow(hwnd, showCommand);
    ::SetForegroundWindow(hwnd);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
