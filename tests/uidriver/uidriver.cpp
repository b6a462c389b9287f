// UI driver for the end-to-end tests: a Win32 console program that runs in the
// same Wine session as the program under test, reads one command a line from
// standard input and answers each with one line of JSON on standard output.
// Texts travel as hex of their ANSI (code page 936) bytes, both ways, so that
// no console conversion touches them.
//
// Commands (hwnd and numbers in decimal):
//   windows                      top-level windows: hwnd, class, title, visible, pid, rect
//   window HWND                  one window: class, title, visible, enabled, rect, client
//   control HWND ID              a child by control ID: exists, class, text, visible, enabled, rect (parent client)
//   settext HWND ID HEX          WM_SETTEXT on the control
//   items HWND ID                list box: count, selection, texts, item height
//   select HWND ID INDEX         selects a list item and notifies the parent (LBN_SELCHANGE)
//   dblclick HWND ID INDEX       selects a list item and notifies a double click (LBN_DBLCLK)
//   click HWND ID                clicks a button (BM_CLICK, posted)
//   command HWND ID              posts WM_COMMAND (ID, BN_CLICKED) to the window, as a click of a hidden button would
//   type HWND ID HEX             types the bytes into the control, one WM_CHAR each (sent)
//   defid HWND                   the dialog's default button ID (0 when none)
//   key HWND VK                  posts a key press to the window's focused control (or the window)
//   close HWND                   posts WM_CLOSE
//   msgbox                       the first visible message box: hwnd, caption, text, button IDs
//   press HWND ID                clicks a button of a message box
//   regread ROOT PATHHEX VALUEHEX  a registry value (ROOT: HKLM or HKCU): type, size, data
//   regwrite ROOT PATHHEX VALUEHEX DATAHEX [TYPE]  creates the key and writes a string value (REG_SZ or the given type)
//   regdelete ROOT PATHHEX       deletes a key and everything below it
//   state HWND                   styles without a message to the window: style, exstyle, iconic, foreground,
//                                last active popup (safe while the window's thread does not answer)
//   foreground                   the foreground window's hwnd (0 when none)
//   show HWND SW                 ShowWindowAsync (SW_MINIMIZE 6, SW_RESTORE 9, ...): never waits for the window
//   processes                    running processes: pid and executable name (tool-help snapshot)
//   terminate PID                ends a process (TerminateProcess, exit code 1)
//   quit
//
// A window whose thread does not answer (for example one that waits in a
// loop without taking messages) is asked for its text with a time limit (not
// at all once the system counts it as hung); its text then comes from what
// the window manager stored.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    return out;
}

// Long enough for a busy program on a loaded machine: an edit control's typed
// text lives only in the control, so a read that gives up finds it empty.
const UINT kTextTimeoutMs = 5000;

// For a window of another process GetWindowText reads the text the window
// manager keeps, without a message.
std::string StoredText(HWND hwnd) {
    char stored[1024] = {};
    int count = ::GetWindowTextA(hwnd, stored, sizeof(stored));
    return std::string(stored, count > 0 ? static_cast<size_t>(count) : 0);
}

std::string TextOf(HWND hwnd) {
    // A top-level window's title is kept by the system: read without a message,
    // so that looking for windows never waits on a busy program.
    if (!(::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD)) return StoredText(hwnd);
    // A window whose thread is busy (the updater waiting for the launcher to
    // end) would hold WM_GETTEXT, and Wine's SendMessageTimeout then waits
    // without end, whatever its time-out: hung windows are read without a message.
    if (::IsHungAppWindow(hwnd)) return StoredText(hwnd);
    // WM_GETTEXT reaches controls of other processes, GetWindowText does not.
    DWORD_PTR length = 0, copied = 0;
    if (::SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length)) {
        std::vector<char> buffer(static_cast<size_t>(length) + 2, '\0');
        if (::SendMessageTimeoutA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                                  SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
            return std::string(buffer.data(), static_cast<size_t>(copied));
    }
    return StoredText(hwnd);  // the window's thread does not answer
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    ::GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string Rect(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof(text), "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return text;
}

std::string Bool(bool b) { return b ? "true" : "false"; }

// The window's rectangle in its parent's client coordinates (screen for top-level windows).
RECT RectInParent(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    HWND parent = ::GetParent(hwnd);
    if (parent && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Describe(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char head[64];
    std::snprintf(head, sizeof(head), "{\"hwnd\":%lu,\"id\":%d,\"pid\":%lu,", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd)),
                  ::GetDlgCtrlID(hwnd), static_cast<unsigned long>(pid));
    return std::string(head) + "\"exists\":true,\"class\":\"" + Hex(ClassOf(hwnd)) + "\",\"text\":\"" + Hex(TextOf(hwnd)) +
           "\",\"visible\":" + Bool(::IsWindowVisible(hwnd)) + ",\"enabled\":" + Bool(::IsWindowEnabled(hwnd)) +
           ",\"rect\":" + Rect(RectInParent(hwnd)) + ",\"client\":" + Rect(client) + "}";
}

HWND ToHwnd(const std::string& s) { return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoul(s.c_str(), nullptr, 10))); }

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsMessageBox(HWND hwnd) {
    // A message box is a dialog whose text is the static with ID 0xFFFF.
    return ClassOf(hwnd) == "#32770" && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 0xFFFF) != nullptr;
}

std::string Error(const std::string& what) { return "{\"error\":\"" + what + "\"}"; }

std::string Run(const std::vector<std::string>& a) {
    const std::string& cmd = a[0];
    if (cmd == "windows") {
        std::string out = "{\"windows\":[";
        bool first = true;
        for (HWND hwnd : TopLevelWindows()) {
            if (!first) out += ",";
            first = false;
            out += Describe(hwnd);
        }
        return out + "]}";
    }
    if (cmd == "window" && a.size() == 2) {
        HWND hwnd = ToHwnd(a[1]);
        return ::IsWindow(hwnd) ? Describe(hwnd) : "{\"exists\":false}";
    }
    if (a.size() < 3) return Error("usage");
    HWND parent = ToHwnd(a[1]);
    int id = std::atoi(a[2].c_str());
    if (cmd == "regread" && a.size() == 4) {
        HKEY root = a[1] == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        char value[1024] = {};
        DWORD size = sizeof(value) - 1, type = 0;
        HKEY key = nullptr;
        if (::RegOpenKeyExA(root, Unhex(a[2]).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "{\"found\":false}";
        LONG rc = ::RegQueryValueExA(key, Unhex(a[3]).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
        ::RegCloseKey(key);
        if (rc != ERROR_SUCCESS) return "{\"found\":false,\"key\":true}";
        char head[64];
        std::snprintf(head, sizeof(head), "{\"found\":true,\"type\":%lu,\"size\":%lu,", static_cast<unsigned long>(type), static_cast<unsigned long>(size));
        return std::string(head) + "\"data\":\"" + Hex(std::string(value, size)) + "\"}";
    }
    if (cmd == "regwrite" && (a.size() == 5 || a.size() == 6)) {
        DWORD type = a.size() == 6 ? static_cast<DWORD>(std::atoi(a[5].c_str())) : REG_SZ;
        HKEY root = a[1] == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        HKEY key = nullptr;
        if (::RegCreateKeyExA(root, Unhex(a[2]).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return Error("create failed");
        std::string data = Unhex(a[4]);
        LONG rc = ::RegSetValueExA(key, Unhex(a[3]).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>(data.size() + 1));
        ::RegCloseKey(key);
        return rc == ERROR_SUCCESS ? "{\"ok\":true}" : Error("write failed");
    }
    if (cmd == "regdelete") {
        HKEY root = a[1] == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        LONG rc = ::RegDeleteTreeA(root, Unhex(a[2]).c_str());
        return "{\"ok\":" + Bool(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) + "}";
    }
    HWND control = ::GetDlgItem(parent, id);
    if (cmd == "press") {
        if (!control) return Error("no such button");
        ::PostMessageA(control, BM_CLICK, 0, 0);
        return "{\"ok\":true}";
    }
    if (cmd == "key") {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        DWORD thread = ::GetWindowThreadProcessId(parent, nullptr);
        HWND target = parent;
        if (::GetGUIThreadInfo(thread, &info) && info.hwndFocus) target = info.hwndFocus;
        ::PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(id), 1);
        ::PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(id), 0xC0000001);
        return "{\"ok\":true}";
    }
    if (cmd == "command") {
        ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
        return "{\"ok\":true}";
    }
    if (cmd == "control") return control ? Describe(control) : "{\"exists\":false}";
    if (!control) return Error("no such control");
    if (cmd == "settext" && a.size() == 4) {
        std::string text = Unhex(a[3]);
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return "{\"ok\":true}";
    }
    if (cmd == "type" && a.size() == 4) {
        for (unsigned char c : Unhex(a[3])) ::SendMessageA(control, WM_CHAR, c, 1);
        return "{\"ok\":true}";
    }
    if (cmd == "click") {
        ::PostMessageA(control, BM_CLICK, 0, 0);
        return "{\"ok\":true}";
    }
    if (cmd == "items") {
        int count = static_cast<int>(::SendMessageA(control, LB_GETCOUNT, 0, 0));
        int selection = static_cast<int>(::SendMessageA(control, LB_GETCURSEL, 0, 0));
        int height = static_cast<int>(::SendMessageA(control, LB_GETITEMHEIGHT, 0, 0));
        char head[96];
        std::snprintf(head, sizeof(head), "{\"count\":%d,\"selection\":%d,\"height\":%d,\"items\":[", count, selection, height);
        std::string out = head;
        for (int i = 0; i < count; ++i) {
            // Across processes Wine answers the ANSI text request with the list's
            // wide text, so ask for that and narrow it here.
            int length = static_cast<int>(::SendMessageW(control, LB_GETTEXTLEN, i, 0));
            std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
            int copied = static_cast<int>(::SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data())));
            std::string text;
            if (copied > 0) {
                int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), copied, nullptr, 0, nullptr, nullptr);
                text.assign(static_cast<size_t>(bytes), '\0');
                ::WideCharToMultiByte(CP_ACP, 0, wide.data(), copied, &text[0], bytes, nullptr, nullptr);
            }
            out += (i ? ",\"" : "\"") + Hex(text) + "\"";
        }
        return out + "]}";
    }
    if ((cmd == "select" || cmd == "dblclick") && a.size() == 4) {
        int index = std::atoi(a[3].c_str());
        ::SendMessageA(control, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        WORD code = cmd == "select" ? LBN_SELCHANGE : LBN_DBLCLK;
        ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        return "{\"ok\":true}";
    }
    return Error("unknown command");
}

std::string Handle(HWND hwnd) { return std::to_string(static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd))); }

std::string State(HWND hwnd) {
    if (!::IsWindow(hwnd)) return "{\"exists\":false}";
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return "{\"exists\":true,\"pid\":" + std::to_string(pid) +
           ",\"style\":" + std::to_string(static_cast<unsigned long>(::GetWindowLongA(hwnd, GWL_STYLE))) +
           ",\"exstyle\":" + std::to_string(static_cast<unsigned long>(::GetWindowLongA(hwnd, GWL_EXSTYLE))) +
           ",\"visible\":" + Bool(::IsWindowVisible(hwnd)) + ",\"iconic\":" + Bool(::IsIconic(hwnd)) +
           ",\"foreground\":" + Bool(::GetForegroundWindow() == hwnd) +
           ",\"popup\":" + Handle(::GetLastActivePopup(hwnd)) + "}";
}

std::string Processes() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return Error("no snapshot");
    std::string out = "{\"processes\":[";
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (out.back() != '[') out += ",";
        out += "{\"pid\":" + std::to_string(entry.th32ProcessID) + ",\"exe\":\"" + Hex(entry.szExeFile) + "\"}";
    }
    ::CloseHandle(snapshot);
    return out + "]}";
}

std::string Terminate(DWORD pid) {
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return "{\"ok\":false}";
    bool ended = ::TerminateProcess(process, 1) && ::WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return "{\"ok\":" + Bool(ended) + "}";
}

std::string RunSimple(const std::vector<std::string>& a) {
    if (a[0] == "state" && a.size() == 2) return State(ToHwnd(a[1]));
    if (a[0] == "foreground") return "{\"hwnd\":" + Handle(::GetForegroundWindow()) + "}";
    if (a[0] == "show" && a.size() == 3) {
        ::ShowWindowAsync(ToHwnd(a[1]), std::atoi(a[2].c_str()));
        return "{\"ok\":true}";
    }
    if (a[0] == "processes") return Processes();
    if (a[0] == "terminate" && a.size() == 2) return Terminate(static_cast<DWORD>(std::strtoul(a[1].c_str(), nullptr, 10)));
    if (a[0] == "close" && a.size() == 2) {
        ::PostMessageA(ToHwnd(a[1]), WM_CLOSE, 0, 0);
        return "{\"ok\":true}";
    }
    if (a[0] == "defid" && a.size() == 2) {
        LRESULT answer = ::SendMessageA(ToHwnd(a[1]), DM_GETDEFID, 0, 0);
        int id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
        return "{\"defid\":" + std::to_string(id) + "}";
    }
    if (a[0] == "msgbox") {
        for (HWND hwnd : TopLevelWindows()) {
            if (!IsMessageBox(hwnd)) continue;
            std::string buttons;
            for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
                HWND button = ::GetDlgItem(hwnd, id);
                if (button && ::IsWindowVisible(button)) buttons += (buttons.empty() ? "" : ",") + std::to_string(id);
            }
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            return "{\"found\":true,\"hwnd\":" + std::to_string(reinterpret_cast<ULONG_PTR>(hwnd)) + ",\"pid\":" +
                   std::to_string(pid) + ",\"caption\":\"" + Hex(TextOf(hwnd)) + "\",\"text\":\"" +
                   Hex(TextOf(::GetDlgItem(hwnd, 0xFFFF))) + "\",\"buttons\":[" + buttons + "]}";
        }
        return "{\"found\":false}";
    }
    return Run(a);
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    char line[8192];
    while (std::fgets(line, sizeof(line), stdin)) {
        std::vector<std::string> args;
        for (char* word = std::strtok(line, " \r\n"); word; word = std::strtok(nullptr, " \r\n")) args.emplace_back(word);
        if (args.empty()) continue;
        if (args[0] == "quit") break;
        std::string answer = RunSimple(args);
        std::fputs((answer + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    return 0;
}
